#include "common/safe_dll_search.h"

#include <string>

namespace {

// Set once SetDefaultDllDirectories has restricted every search to System32.
bool searchRestricted = false;

// Loaded by name, and so searched for in the program's folder first, by Windows' own DLLs (the
// window theme and desktop composition that pages load, version and security helpers of
// advapi32 and shell32) where no default DLL directories can be set. Loaded once from System32,
// a later load or import by name finds the module already there. Those that others import come
// before them: a DLL's imports that are not loaded yet are looked for beside the program (Wine
// does so even for one loaded with an altered search path). One a Windows lacks is passed over.
const char *const loadedByNameLater[] = {
    "dwmapi.dll",  "uxtheme.dll", "version.dll",  "cryptbase.dll", "cryptsp.dll",
    "sspicli.dll", "profapi.dll", "userenv.dll",  "propsys.dll",   "ntmarta.dll",
    "apphelp.dll", "oleacc.dll",  "setupapi.dll", "clbcatq.dll",   "comctl32.dll"};

std::string SystemFolder() {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
}

} // namespace

void RestrictDllSearchToSystem() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI *)(DWORD);
  // kernel32 is a KnownDLL and already loaded: asking it for the function loads nothing.
  const auto setDefaultDllDirectories =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    searchRestricted = true;
    return;
  }
  SetDllDirectoryA("");
  for (const char *name : loadedByNameLater)
    LoadSystemLibrary(name);
}

HMODULE LoadSystemLibrary(const char *name) {
  const std::string folder = SystemFolder();
  if (folder.empty())
    return nullptr;
  // A full path is never looked for elsewhere; the flag decides where its own imports come from.
  return LoadLibraryExA((folder + "\\" + name).c_str(), nullptr,
                        searchRestricted ? LOAD_LIBRARY_SEARCH_SYSTEM32
                                         : LOAD_WITH_ALTERED_SEARCH_PATH);
}
