#include "common/program_folder.h"

#include "common/game_folder_candidates.h"

#include <windows.h>

std::string ProgramFolder() {
  char path[1024] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  // A path that fills the buffer was cut short (older Windows do not even terminate it).
  if (length == 0 || length >= sizeof path)
    return std::string();
  return ParentFolder(std::string(path, length));
}
