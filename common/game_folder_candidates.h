// Where else the game may be when its own registry record is missing (Steam and GOG copies often
// lack it), and which of those folders to propose. Text work only: the Windows side
// (game_folder_lookup.cpp) reads the registry, Steam's library list and the program's own path.
//
// Folders here never end in a separator, because the game's paths are made by appending
// "\System\..." (game_paths.h). A drive's root is therefore written "C:".
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// How much of Steam's libraryfolders.vdf is read. Real files are a few kilobytes; of a longer
// file only this start is parsed; a quoted text cut off at the limit is unfinished and dropped.
inline constexpr std::size_t steamLibraryFileLimit = 4 * 1024 * 1024;

// The "path" values of Steam's libraryfolders.vdf, in file order, with the file's escapes undone
// (\\ is one backslash, \" a quote). The file is read as quoted texts, bare words and braces: a
// key followed on its line by its text, or a key that names the { } block after it. A quoted
// text not closed on its own line is dropped, and so is a path holding a control character (a
// NUL byte, say), which no Windows path holds. Linear in the length of the text, whatever it
// holds.
std::vector<std::string> SteamLibraryFolders(const std::string &vdfText);

// A folder in the form the candidates use: forward slashes (Steam's registry record writes them)
// become backslashes, and trailing separators are dropped so that the game's subfolder appends
// cleanly and Steam's own folder compares equal to its entry in the library list.
std::string WindowsFolder(const std::string &folder);

// Steam's folder: the user's SteamPath record (HKCU) if it gives one, else the machine's
// InstallPath record (HKLM); the empty text when neither does.
std::string SteamFolder(const std::string &userSteamPath, const std::string &machineInstallPath);

// The folder that holds folder: C:\Games\Kit and C:\Games\Kit\ both give C:\Games, C:\Kit gives
// the drive C:. A drive, a network share (\\server\share) or a bare name has no parent here and
// gives the empty text, so the lookup never proposes a whole drive or a server.
std::string ParentFolder(const std::string &folder);

// The folders to try, in order: GOG's records, then Steam's own folder and every library that
// libraryfolders.vdf lists (a library equal to Steam's own folder, letters compared ignoring
// case, is not tried twice), each followed by \steamapps\common\Deus Ex, then the program's own
// folder and its parent. An empty folder gives no candidate.
std::vector<std::string> GameFolderCandidates(const std::vector<std::string> &gogFolders,
                                              const std::string &steamFolder,
                                              const std::string &steamLibraryText,
                                              const std::string &programFolder);

// The first candidate that holds System\DeusEx.ini (fileExists is asked for that path) and fits
// the path page's folder field; the empty text when none does.
std::string FirstGameFolder(const std::vector<std::string> &candidates,
                            const std::function<bool(const std::string &path)> &fileExists);
