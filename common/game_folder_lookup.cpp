#include "common/game_folder_lookup.h"

#include <windows.h>

std::string GetGameFolder() {
  char folder[1000] = {};
  HKEY key = nullptr;
  // Full access, as the game's own tools ask for it; without rights the lookup comes back empty
  // and the user types the folder.
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Unreal Technology\\Installed Apps\\Deus Ex", 0,
                KEY_ALL_ACCESS, &key);
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
