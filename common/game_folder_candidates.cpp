#include "common/game_folder_candidates.h"

#include "common/game_paths.h"
#include "common/program_state.h"

#include <cctype>
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

// Outside quotes, control characters (NUL bytes among them) separate tokens like spaces.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string &a, const std::string &b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i]))
      return false;
  return true;
}

bool HoldsControlCharacter(const std::string &text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20)
      return true;
  return false;
}

bool IsAscii(const std::string &text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

bool IsNumber(const std::string &text) {
  if (text.empty())
    return false;
  for (const char c : text)
    if (c < '0' || c > '9')
      return false;
  return true;
}

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

// A library path Steam wrote itself: C:\..., \\server\..., or a Linux /... . Any other would be
// taken relative to whatever folder the program was started in.
bool IsAbsoluteLibraryPath(const std::string &path) {
  const bool driveLetter = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && IsSeparator(path[2]);
  const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  return driveLetter || share || (!path.empty() && path[0] == '/');
}

// Reads the quoted text whose opening quote is at text[at]. Leaves at after the closing quote and
// returns true, or, for a text not closed on its line, leaves at on the line end (or the end of
// the text) and returns false.
bool ReadQuotedText(const std::string &text, std::size_t &at, std::string &value) {
  value.clear();
  ++at;
  while (at < text.size() && !IsLineEnd(text[at])) {
    const char c = text[at++];
    if (c == '"')
      return true;
    if (c == '\\' && at < text.size() && (text[at] == '\\' || text[at] == '"'))
      value += text[at++];
    else
      value += c;
  }
  return false;
}

} // namespace

std::vector<std::string> SteamLibraryFolders(const std::string &vdfText,
                                             const CodePageConversion &toCodePage) {
  std::vector<std::string> folders;
  std::set<std::string> known; // ComparablePath of each folder taken
  const auto take = [&](const std::string &value) {
    if (!IsAbsoluteLibraryPath(value) || HoldsControlCharacter(value))
      return;
    const std::string folder = IsAscii(value) ? value : toCodePage(value);
    if (!folder.empty() && known.insert(ComparablePath(folder)).second)
      folders.push_back(folder);
  };
  bool expectingKey = true;
  bool keyNamesLibrary = false;
  std::size_t depth = 0; // braces open around the current token
  std::string token;
  std::size_t at = 0;
  while (at < vdfText.size() && folders.size() < steamLibraryLimit) {
    const char c = vdfText[at];
    if (IsBlank(c)) {
      // Steam writes a key and its text on one line: a key alone on its line names a block, and
      // a text on the next line is a key again. So a stray word costs at most its own line.
      if (IsLineEnd(c))
        expectingKey = true;
      ++at;
      continue;
    }
    if (c == '{' || c == '}') {
      depth = c == '{' ? depth + 1 : depth > 0 ? depth - 1 : 0;
      ++at;
      expectingKey = true;
      continue;
    }
    if (c == '"') {
      if (!ReadQuotedText(vdfText, at, token))
        continue; // an unfinished text: its line end follows, or the end of the file
    } else {
      const std::size_t start = at;
      while (at < vdfText.size() && !IsBlank(vdfText[at]) && vdfText[at] != '"' &&
             vdfText[at] != '{' && vdfText[at] != '}')
        ++at;
      token.assign(vdfText, start, at - start);
    }
    if (expectingKey) {
      keyNamesLibrary = EqualIgnoringCase(token, "path") || (depth == 1 && IsNumber(token));
      expectingKey = false;
    } else {
      if (keyNamesLibrary)
        take(token);
      expectingKey = true;
    }
  }
  return folders;
}

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
  if (!sources.xdgDataHome.empty())
    add(WineFolder(sources.xdgDataHome) + "\\Steam");
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
  for (const std::string &gogFolder : sources.gogFolders)
    add(WindowsFolder(gogFolder));
  for (const std::string &entry : sources.steamGameEntries)
    add(WindowsFolder(entry));
  addSteam(WindowsFolder(sources.steamFolder), WindowsFolder);
  if (!sources.wineHome.empty())
    add(WineFolder(sources.steamGameFolder));
  for (const std::string &steam : LinuxSteamFolders(sources))
    addSteam(steam, WineFolder);
  const std::string program = WindowsFolder(sources.programFolder);
  add(program);
  add(ParentFolder(program));
  return candidates;
}

std::string FirstGameFolder(const std::vector<std::string> &candidates,
                            const std::function<bool(const std::string &path)> &fileExists) {
  const std::size_t longestFolder = folderFieldSize - 1;
  for (const std::string &candidate : candidates)
    if (candidate.size() <= longestFolder && fileExists(ConfigurationPath(candidate)))
      return candidate;
  return std::string();
}
