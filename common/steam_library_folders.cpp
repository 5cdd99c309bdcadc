#include "common/steam_library_folders.h"

#include "common/game_paths.h"

#include <cctype>
#include <set>

namespace {

// Outside quotes, control characters (NUL bytes among them) separate tokens like spaces.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

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

// A library path Steam wrote itself: C:\..., \\server\..., or a Linux /... . Any other would be
// taken relative to whatever folder the program was started in.
bool IsAbsoluteLibraryPath(const std::string &path) {
  const auto separator = [](char c) { return c == '\\' || c == '/'; };
  const bool driveLetter = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && separator(path[2]);
  const bool share = path.size() >= 2 && separator(path[0]) && separator(path[1]);
  return driveLetter || share || (!path.empty() && path[0] == '/');
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
      // ComparablePath ignores letter case (and a trailing separator, which the size rules out).
      keyNamesLibrary =
          (token.size() == 4 && ComparablePath(token) == "path") || (depth == 1 && IsNumber(token));
      expectingKey = false;
    } else {
      if (keyNamesLibrary)
        take(token);
      expectingKey = true;
    }
  }
  return folders;
}
