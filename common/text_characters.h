// Folder names counted in characters, not bytes. The programs' manifests make their ANSI code
// page UTF-8 (Windows 10 version 1903 and later, and Wine), where a character takes one to four
// bytes; older Windows keep a single-byte code page, where a byte is a character. Every limit
// shown to the player is in characters, and a text is never cut inside a character.
#pragma once

#include <cstddef>
#include <string>

// Bytes of a buffer that holds that many characters in any code page, terminator included.
constexpr std::size_t BytesForCharacters(std::size_t characters) { return characters * 4 + 1; }

// The characters of text: in UTF-8 every byte that does not continue a character starts one.
std::size_t CharacterCount(const std::string &text, bool utf8);

// The first `characters` characters of text, whole; the text itself when it has no more.
std::string FirstCharacters(const std::string &text, std::size_t characters, bool utf8);

// At most `bytes` bytes of the start of text, never ending inside a UTF-8 character: a cut that
// would falls before that character. (In a single-byte code page this may give up to three
// bytes more than needed, where a byte looks like the middle of a UTF-8 character.)
std::string FirstBytes(const std::string &text, std::size_t bytes);
