// Message box texts composed into the fixed 256-byte buffers of the error boxes.
#pragma once

#include <cstddef>
#include <string>

inline constexpr std::size_t errorBoxTextSize = 256; // 255 characters and the terminator

// systemText (may be null: the system had no text) followed by fixedText, cut so that it fits
// bufferSize - 1 bytes. The fixed text is kept whole where it can be, so the cut falls in the
// system's text; a fixed text that alone is too long is cut at its end. No cut falls inside a
// UTF-8 character (a name in the programs' UTF-8 code page).
std::string ComposeBoundedText(const char *systemText, const std::string &fixedText,
                               std::size_t bufferSize = errorBoxTextSize);
