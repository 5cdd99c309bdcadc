#include "common/game_folder_lookup.h"

#include "common/game_folder_candidates.h"
#include "common/program_folder.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

std::string GameRecordFolder() {
  char folder[1000] = {};
  HKEY key = nullptr;
  // Full access, as the game's own tools ask for it; without rights the lookup comes back empty
  // and the user types the folder. The game's installer is a 32-bit program: its record lives in
  // the 32-bit view, which a 64-bit build of this program must ask for.
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Unreal Technology\\Installed Apps\\Deus Ex", 0,
                KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key);
  DWORD size = 999; // one byte short of the buffer: the text always ends with a zero byte
  LONG status =
      RegQueryValueExA(key, "Folder", nullptr, nullptr, reinterpret_cast<BYTE *>(folder), &size);
  RegCloseKey(key);
  // A value too long for the read leaves the buffer undefined: propose nothing rather than
  // garbage, and let the user type the folder.
  if (status == ERROR_MORE_DATA)
    return std::string();
  return std::string(folder);
}

// A text value of another program's record, read only, in the 32-bit view where the 32-bit
// installers of GOG and Steam write (a key with one view ignores the flag). The empty text when
// the key or value is missing, is not plain text, or does not fit the buffer (which is far longer
// than any folder the page can take).
std::string RecordText(HKEY root, const char *keyPath, const char *valueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
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

bool IsFile(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

std::string GetGameFolder() {
  const std::string recordFolder = GameRecordFolder();
  if (!recordFolder.empty())
    return recordFolder;
  // These 32-bit-era records live in WOW6432Node on 64-bit Windows: RecordText reads that view
  // in the 32-bit and the 64-bit build alike.
  const std::vector<std::string> gogFolders = {
      RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\GOG.com\\Games\\1207658924", "path"),
      RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\GOG.com\\GOGDEUSX", "PATH")};
  const std::string steamFolder =
      SteamFolder(RecordText(HKEY_CURRENT_USER, "Software\\Valve\\Steam", "SteamPath"),
                  RecordText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Valve\\Steam", "InstallPath"));
  const std::string steamLibraryText =
      steamFolder.empty()
          ? std::string()
          : FileStart(steamFolder + "\\steamapps\\libraryfolders.vdf", steamLibraryFileLimit);
  return FirstGameFolder(
      GameFolderCandidates(gogFolders, steamFolder, steamLibraryText, ProgramFolder()), IsFile);
}
