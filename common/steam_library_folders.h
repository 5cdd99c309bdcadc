// Steam's library list, steamapps\libraryfolders.vdf: the folders of the libraries it names. A
// parser of Steam's text format with rules of its own; text work only.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// How much of Steam's libraryfolders.vdf is read. Real files are a few kilobytes; of a longer
// file only this start is parsed; a quoted text cut off at the limit is unfinished and dropped.
inline constexpr std::size_t steamLibraryFileLimit = 4 * 1024 * 1024;

// How many libraries one libraryfolders.vdf gives at most: Steam allows far fewer, and each costs
// a look on disk.
inline constexpr std::size_t steamLibraryLimit = 64;

// A UTF-8 text (Steam writes its files in UTF-8) in the ANSI code page that the file calls take;
// the empty text when the code page cannot hold one of its characters, or it is not UTF-8.
using CodePageConversion = std::function<std::string(const std::string &utf8)>;

// The libraries of Steam's libraryfolders.vdf, in file order, with the file's escapes undone
// (\\ is one backslash, \" a quote): every "path" value, and in the older layout every numbered
// key's value directly inside the top-level block (numbered keys deeper down, in the "apps"
// blocks, are games). The file is read as quoted texts, bare words and braces: a key followed on
// its line by its text, or a key that names the { } block after it. A quoted text not closed on
// its own line is dropped, and so is a path that is not absolute, one holding a control character
// (a NUL byte, say), which no Windows path holds, or a character the code page cannot hold. A path
// met before (compared as ComparablePath compares) is dropped; after steamLibraryLimit paths the
// rest of the file is not read. Linear in the length of the text, whatever it holds.
std::vector<std::string> SteamLibraryFolders(const std::string &vdfText,
                                             const CodePageConversion &toCodePage);
