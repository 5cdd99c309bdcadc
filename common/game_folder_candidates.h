// Where else the game may be when its own registry record is missing (Steam and GOG copies often
// lack it), and which of those folders to propose. Text work only: the Windows side
// (game_folder_lookup.cpp) reads the registry, the environment, Steam's library lists and the
// program's own path, and answers whether a file exists.
//
// Folders here never end in a separator, because the game's paths are made by appending
// "\System\..." (game_paths.h). A drive's root is therefore written "C:".
#pragma once

#include "common/steam_library_folders.h"

#include <functional>
#include <string>
#include <vector>

// The start of a file, at most steamLibraryFileLimit bytes; the empty text when there is none.
using FileStartReader = std::function<std::string(const std::string &path)>;

// A folder in the form the candidates use: forward slashes (Steam's registry record writes them)
// become backslashes, and trailing separators are dropped so that the game's subfolder appends
// cleanly and Steam's own folder compares equal to its entry in the library list.
std::string WindowsFolder(const std::string &folder);

// A folder as a program under Wine reaches it: a Linux path /a/b is Z:\a\b (drive Z: is the Linux
// root in Wine's and Proton's prefixes); any other path as WindowsFolder gives it.
std::string WineFolder(const std::string &folder);

// Steam's folder: the user's SteamPath record (HKCU) if it gives one, else the machine's
// InstallPath record (HKLM); the empty text when neither does.
std::string SteamFolder(const std::string &userSteamPath, const std::string &machineInstallPath);

// The folder that holds folder: C:\Games\Kit and C:\Games\Kit\ both give C:\Games, C:\Kit gives
// the drive C:. A drive, a network share (\\server\share) or a bare name has no parent here and
// gives the empty text, so the lookup never proposes a whole drive or a server.
std::string ParentFolder(const std::string &folder);

// What the lookup found in the registry and the environment, each as read; the empty text for
// one that is missing.
struct GameFolderSources {
  std::vector<std::string> gogFolders;       // GOG's records, in order
  std::vector<std::string> steamGameEntries; // Steam's uninstall entry of the game, in order
  std::string steamFolder;                   // Steam's own folder on Windows (SteamFolder)
  std::string wineHome;          // WINEHOMEDIR, which Wine and Proton set and Windows does not
  std::string steamGameFolder;   // STEAM_COMPAT_INSTALL_PATH, Proton's game folder
  std::string steamClientFolder; // STEAM_COMPAT_CLIENT_INSTALL_PATH, Proton's Steam folder
  std::string xdgDataHome;       // XDG_DATA_HOME
  std::string programFolder;     // the folder that holds the running program
  std::string steamAppFolder;    // STEAM_APP_PATH, the game folder that protontricks names
  // WINE_HOST_XDG_DATA_HOME: newer Wine and Proton's Wine hand XDG_DATA_HOME over by this name.
  std::string hostXdgDataHome;
};

// The folders in which a Linux Steam may live, as Wine reaches them, in the order they are
// tried: STEAM_COMPAT_CLIENT_INSTALL_PATH, XDG_DATA_HOME\Steam (WINE_HOST_XDG_DATA_HOME\Steam
// where XDG_DATA_HOME is empty), then the home folder's
// .steam\steam, .steam\root, .local\share\Steam, and those of the Flatpak and the Snap. The home
// folder is WINEHOMEDIR without its "\??\". None outside Wine (no WINEHOMEDIR).
std::vector<std::string> LinuxSteamFolders(const GameFolderSources &sources);

// The folders to try, in order: under Wine, STEAM_APP_PATH (the game folder protontricks names,
// a Linux path reached through Z:); GOG's records; Steam's uninstall entry; Steam's own folder and
// every library that its steamapps\libraryfolders.vdf lists, each followed by
// \steamapps\common\Deus Ex; under Wine, STEAM_COMPAT_INSTALL_PATH and then each Linux Steam
// folder and its libraries in the same way (Linux paths reached through Z:); then the program's
// own folder and its parent. An empty folder gives no candidate, and a folder met before (as
// ComparablePath compares) is not tried twice. readFileStart is asked once for each Steam
// folder's libraryfolders.vdf.
std::vector<std::string> GameFolderCandidates(const GameFolderSources &sources,
                                              const FileStartReader &readFileStart,
                                              const CodePageConversion &toCodePage);

// The first candidate that holds System\DeusEx.ini (fileExists is asked for that path) and fits
// the path page's folder field (counted in characters, UTF-8 ones where utf8CodePage); the empty
// text when none does.
std::string FirstGameFolder(const std::vector<std::string> &candidates,
                            const std::function<bool(const std::string &path)> &fileExists,
                            bool utf8CodePage);
