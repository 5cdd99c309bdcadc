#include "common/game_folder_lookup.h"

#include "common/code_page_text.h"
#include "common/game_folder_candidates.h"
#include "common/program_folder.h"
#include "common/text_characters.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

// Sized for 999 characters, the game's own limit, in any code page (UTF-8 takes up to four bytes
// each).
constexpr std::size_t gameRecordBytes = BytesForCharacters(999);

std::string GameRecordFolder() {
  char folder[gameRecordBytes] = {};
  HKEY key = nullptr;
  // Full access, as the game's own tools ask for it; without rights the lookup comes back empty
  // and the user types the folder.
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Unreal Technology\\Installed Apps\\Deus Ex", 0,
                KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key);
  DWORD size =
      gameRecordBytes - 1; // one byte short of the buffer: the text always ends with a zero
  LONG status =
      RegQueryValueExA(key, "Folder", nullptr, nullptr, reinterpret_cast<BYTE *>(folder), &size);
  RegCloseKey(key);
  // A value too long for the read leaves the buffer undefined (and may end inside a character):
  // propose nothing rather than garbage, and let the user type the folder.
  if (status == ERROR_MORE_DATA)
    return std::string();
  return std::string(folder);
}

// A text value of another program's record, read only, in the registry view given
// (KEY_WOW64_32KEY or KEY_WOW64_64KEY; 0 for HKCU, which has one). The empty text when the key or
// value is missing, is not plain text, or does not fit the buffer (which is far longer than any
// folder the page can take).
std::string RecordText(HKEY root, const char *keyPath, const char *valueName, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
    return std::string();
  char value[1024] = {};
  DWORD type = 0;
  DWORD size = sizeof value - 1; // the last byte stays zero, so the text is always terminated
  const LONG status =
      RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE *>(value), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ)
    return std::string();
  return std::string(value);
}

// At most limit bytes from the start of a file on disk; the empty text when there is none. Only
// disk files are read, so a path naming a pipe or a device cannot keep the lookup waiting.
std::string FileStart(const std::string &path, std::size_t limit) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return std::string();
  std::string text;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    std::vector<char> chunk(64 * 1024);
    while (text.size() < limit) {
      const DWORD wanted = static_cast<DWORD>(std::min(chunk.size(), limit - text.size()));
      DWORD got = 0;
      if (!ReadFile(file, chunk.data(), wanted, &got, nullptr) || got == 0)
        break;
      text.append(chunk.data(), got);
    }
  }
  CloseHandle(file);
  return text;
}

// An environment variable; the empty text when it is not set.
std::string EnvironmentText(const char *name) {
  std::string value(GetEnvironmentVariableA(name, nullptr, 0), '\0');
  if (value.empty())
    return std::string();
  const DWORD length = GetEnvironmentVariableA(name, &value[0], static_cast<DWORD>(value.size()));
  if (length == 0 || length >= value.size()) // gone, or grown, since the first call
    return std::string();
  value.resize(length);
  return value;
}

// A UTF-8 text in the ANSI code page; the empty text when that cannot hold every character, so
// that a path is never changed into another one.
std::string InAnsiCodePage(const std::string &utf8) {
  return Utf8InAnsiCodePage(utf8).value_or(std::string());
}

std::string SteamLibraryFileStart(const std::string &path) {
  return FileStart(path, steamLibraryFileLimit);
}

bool IsFile(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::string GetGameFolder() {
  const std::string recordFolder = GameRecordFolder();
  if (!recordFolder.empty())
    return recordFolder;
  // The 32-bit-era records live in the 32-bit view (WOW6432Node on 64-bit Windows); Steam writes
  // its uninstall entry in the 64-bit one.
  const char steamGameEntry[] =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Steam App 6910";
  GameFolderSources sources;
  sources.gogFolders = {
      RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\GOG.com\\Games\\1207658995", "path",
                 KEY_WOW64_32KEY),
      RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\GOG.com\\GOGDEUSX", "PATH", KEY_WOW64_32KEY)};
  sources.steamGameEntries = {
      RecordText(HKEY_LOCAL_MACHINE, steamGameEntry, "InstallLocation", KEY_WOW64_64KEY),
      RecordText(HKEY_LOCAL_MACHINE, steamGameEntry, "InstallLocation", KEY_WOW64_32KEY)};
  sources.steamFolder = SteamFolder(
      RecordText(HKEY_CURRENT_USER, "Software\\Valve\\Steam", "SteamPath", 0),
      RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Valve\\Steam", "InstallPath", KEY_WOW64_32KEY));
  sources.wineHome = EnvironmentText("WINEHOMEDIR");
  sources.steamGameFolder = EnvironmentText("STEAM_COMPAT_INSTALL_PATH");
  sources.steamClientFolder = EnvironmentText("STEAM_COMPAT_CLIENT_INSTALL_PATH");
  sources.xdgDataHome = EnvironmentText("XDG_DATA_HOME");
  sources.programFolder = ProgramFolder();
  sources.steamAppFolder = EnvironmentText("STEAM_APP_PATH");
  sources.hostXdgDataHome = EnvironmentText("WINE_HOST_XDG_DATA_HOME");
  return FirstGameFolder(GameFolderCandidates(sources, SteamLibraryFileStart, InAnsiCodePage),
                         IsFile, GetACP() == CP_UTF8);
}
