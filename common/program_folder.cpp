#include "common/program_folder.h"

#include "common/code_page_text.h"
#include "common/game_folder_candidates.h"

#include <windows.h>

namespace {

// The program's path in UTF-16, in which Windows keeps it whole.
std::wstring ProgramPath() {
  wchar_t path[1024] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
  // A path that fills the buffer was cut short (older Windows do not even terminate it).
  if (length == 0 || length >= sizeof path / sizeof path[0])
    return std::wstring();
  return std::wstring(path, length);
}

} // namespace

std::string ProgramFolder() {
  const std::optional<std::string> path = WideInAnsiCodePage(ProgramPath());
  return path ? ParentFolder(*path) : std::string();
}

std::string UnreachableProgramFolder() {
  const std::wstring path = ProgramPath();
  return WideInAnsiCodePage(path) ? std::string() : ParentFolder(AsUtf8(path));
}
