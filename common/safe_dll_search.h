// Both programs run elevated from whatever folder the player unpacked them to, and Windows looks
// for a DLL that is not one of its KnownDLLs in the program's own folder first. These keep every
// DLL the programs load on System32, so that nobody else's DLL beside them runs as administrator.
#pragma once

#include <windows.h>

// The very first act of both programs: every later search for a DLL by name looks in System32
// alone (SetDefaultDllDirectories). Windows without that call (Vista, 7 without KB2533623) get
// the DLLs that the programs and Windows' own DLLs load by name later loaded now from System32
// by their full path, and the current folder taken out of the search.
void RestrictDllSearchToSystem();

// A DLL of Windows' own by its full System32 path, its imports looked for in System32 (alone,
// once the search is restricted); nullptr where it cannot be loaded (the reason in GetLastError).
HMODULE LoadSystemLibrary(const char *name);
