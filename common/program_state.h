// The little program-wide state that the pages publish and the workers read. Written only by the
// page thread, and only before the worker starts.
#pragma once

#include <cstddef>
#include <string>

extern std::string gameFolder; // the game folder as found in the registry or typed
extern std::string kitFolder;  // where the setup finds the package files: its program's folder

// The most the folder field (and /D=) takes: 99 characters, not bytes (text_characters.h).
inline constexpr std::size_t longestFolderCharacters = 99;
