#include "common/game_folder_candidates.h"

#include "common/game_paths.h"
#include "common/program_state.h"
#include "common/text_characters.h"

#include <set>

namespace {

const char gameInSteamLibrary[] = "\\steamapps\\common\\Deus Ex";
const char libraryListInSteam[] = "\\steamapps\\libraryfolders.vdf";
// Where a Linux Steam lives in the home folder: the two links that Steam keeps to its folder, the
// native package's folder, the Flatpak's and the Snap's.
const char *const steamInHome[] = {"\\.steam\\steam", "\\.steam\\root", "\\.local\\share\\Steam",
                                   "\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam",
                                   "\\snap\\steam\\common\\.local\\share\\Steam"};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithoutTrailingSeparators(std::string folder) {
  while (!folder.empty() && IsSeparator(folder.back()))
    folder.pop_back();
  return folder;
}

// \\server alone: a server, not a folder.
bool IsServerName(const std::string &folder) {
  return folder.size() > 2 && IsSeparator(folder[0]) && IsSeparator(folder[1]) &&
         folder.find_first_of("\\/", 2) == std::string::npos;
}

} // namespace

std::string WindowsFolder(const std::string &folder) {
  std::string windowsFolder = folder;
  for (char &c : windowsFolder)
    if (c == '/')
      c = '\\';
  return WithoutTrailingSeparators(windowsFolder);
}

std::string WineFolder(const std::string &folder) {
  return !folder.empty() && folder[0] == '/' ? "Z:" + WindowsFolder(folder) : WindowsFolder(folder);
}

std::string SteamFolder(const std::string &userSteamPath, const std::string &machineInstallPath) {
  const std::string userFolder = WindowsFolder(userSteamPath);
  return userFolder.empty() ? WindowsFolder(machineInstallPath) : userFolder;
}

std::string ParentFolder(const std::string &folder) {
  const std::string child = WithoutTrailingSeparators(folder);
  const std::size_t cut = child.find_last_of("\\/");
  if (cut == std::string::npos)
    return std::string();
  const std::string parent = WithoutTrailingSeparators(child.substr(0, cut));
  return IsServerName(parent) ? std::string() : parent;
}

std::vector<std::string> LinuxSteamFolders(const GameFolderSources &sources) {
  if (sources.wineHome.empty())
    return {};
  // WINEHOMEDIR is an NT path, \??\Z:\home\you, which the file calls do not take.
  const std::string ntPrefix = "\\??\\";
  const std::string &wineHome = sources.wineHome;
  const std::string home = WineFolder(wineHome.compare(0, ntPrefix.size(), ntPrefix) == 0
                                          ? wineHome.substr(ntPrefix.size())
                                          : wineHome);
  std::vector<std::string> folders;
  const auto add = [&folders](const std::string &folder) {
    if (!folder.empty())
      folders.push_back(folder);
  };
  add(WineFolder(sources.steamClientFolder));
  const std::string &dataHome =
      sources.xdgDataHome.empty() ? sources.hostXdgDataHome : sources.xdgDataHome;
  if (!dataHome.empty())
    add(WineFolder(dataHome) + "\\Steam");
  if (!home.empty())
    for (const char *steam : steamInHome)
      add(home + steam);
  return folders;
}

std::vector<std::string> GameFolderCandidates(const GameFolderSources &sources,
                                              const FileStartReader &readFileStart,
                                              const CodePageConversion &toCodePage) {
  std::vector<std::string> candidates;
  std::set<std::string> known, knownSteamFolders; // as ComparablePath gives them
  const auto add = [&](const std::string &folder) {
    if (!folder.empty() && known.insert(ComparablePath(folder)).second)
      candidates.push_back(folder);
  };
  // A Steam folder's own game folder, then its libraries', their paths in the form reach gives.
  const auto addSteam = [&](const std::string &steam, std::string (*reach)(const std::string &)) {
    if (steam.empty() || !knownSteamFolders.insert(ComparablePath(steam)).second)
      return;
    add(steam + gameInSteamLibrary);
    for (const std::string &library :
         SteamLibraryFolders(readFileStart(steam + libraryListInSteam), toCodePage)) {
      const std::string libraryFolder = reach(library);
      if (!libraryFolder.empty())
        add(libraryFolder + gameInSteamLibrary);
    }
  };
  const bool underWine = !sources.wineHome.empty();
  // protontricks names the game's folder itself, where no record or list may lead to it.
  if (underWine)
    add(WineFolder(sources.steamAppFolder));
  for (const std::string &gogFolder : sources.gogFolders)
    add(WindowsFolder(gogFolder));
  for (const std::string &entry : sources.steamGameEntries)
    add(WindowsFolder(entry));
  addSteam(WindowsFolder(sources.steamFolder), WindowsFolder);
  if (underWine)
    add(WineFolder(sources.steamGameFolder));
  for (const std::string &steam : LinuxSteamFolders(sources))
    addSteam(steam, WineFolder);
  const std::string program = WindowsFolder(sources.programFolder);
  add(program);
  add(ParentFolder(program));
  return candidates;
}

std::string FirstGameFolder(const std::vector<std::string> &candidates,
                            const std::function<bool(const std::string &path)> &fileExists,
                            bool utf8CodePage) {
  for (const std::string &candidate : candidates)
    if (CharacterCount(candidate, utf8CodePage) <= longestFolderCharacters &&
        fileExists(ConfigurationPath(candidate)))
      return candidate;
  return std::string();
}
