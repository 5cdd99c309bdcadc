// Message box texts composed into the fixed 256-byte buffers of the error boxes.
#pragma once

#include <cstddef>
#include <string>

inline constexpr std::size_t errorBoxTextSize = 256; // 255 characters and the terminator

// systemText (may be null: the system had no text) followed by fixedText, cut so that it fits
// bufferSize - 1 characters. The fixed text is kept whole where it can be, so the cut falls in
// the system's text; a fixed text that alone is too long is cut at its end.
std::string ComposeBoundedText(const char *systemText, const std::string &fixedText,
                               std::size_t bufferSize = errorBoxTextSize);
