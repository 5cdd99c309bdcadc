// Texts between UTF-16, in which Windows keeps every name, and the ANSI code page, in which the
// programs' A calls take them: UTF-8 where the programs' manifests could make it so, a
// single-byte code page on older Windows.
#pragma once

#include <optional>
#include <string>

// The text in the ANSI code page; nothing when the code page cannot hold one of its characters,
// so that a name is never changed into another one (a '?' in place of each such character).
std::optional<std::string> WideInAnsiCodePage(const std::wstring &text);

// The text in UTF-8, for the log, which holds names in UTF-8 whatever the code page; and back.
// The empty text for one that is not whole (an unpaired surrogate, a byte that is not UTF-8).
std::string AsUtf8(const std::wstring &text);
std::wstring FromUtf8(const std::string &text);

// A text in the ANSI code page, widened as the A calls widen it.
std::wstring FromAnsiCodePage(const std::string &text);

// A UTF-8 text in the ANSI code page; the empty text for one that is not UTF-8, nothing when the
// code page cannot hold one of its characters.
std::optional<std::string> Utf8InAnsiCodePage(const std::string &utf8);
