#include "common/game_folder_candidates.h"

#include "common/game_paths.h"
#include "common/program_state.h"

namespace {

const char gameInSteamLibrary[] = "\\steamapps\\common\\Deus Ex";

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

std::vector<std::string> SteamLibraryFolders(const std::string &vdfText) {
  std::vector<std::string> folders;
  bool expectingKey = true;
  bool keyIsPath = false;
  std::string token;
  std::size_t at = 0;
  while (at < vdfText.size()) {
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
      keyIsPath = EqualIgnoringCase(token, "path");
      expectingKey = false;
    } else {
      if (keyIsPath && !HoldsControlCharacter(token))
        folders.push_back(token);
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

std::vector<std::string> GameFolderCandidates(const std::vector<std::string> &gogFolders,
                                              const std::string &steamFolder,
                                              const std::string &steamLibraryText,
                                              const std::string &programFolder) {
  std::vector<std::string> candidates;
  const auto add = [&candidates](const std::string &folder) {
    if (!folder.empty())
      candidates.push_back(folder);
  };
  for (const std::string &gogFolder : gogFolders)
    add(WindowsFolder(gogFolder));
  const std::string steam = WindowsFolder(steamFolder);
  if (!steam.empty())
    candidates.push_back(steam + gameInSteamLibrary);
  for (const std::string &library : SteamLibraryFolders(steamLibraryText)) {
    const std::string libraryFolder = WindowsFolder(library);
    if (!libraryFolder.empty() && ComparablePath(libraryFolder) != ComparablePath(steam))
      candidates.push_back(libraryFolder + gameInSteamLibrary);
  }
  const std::string program = WindowsFolder(programFolder);
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
