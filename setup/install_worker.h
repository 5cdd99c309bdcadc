#pragma once

#include <windows.h>

// The whole installation, on a thread of its own. Returns 0 after a successful run; every fatal
// failure ends the process instead.
DWORD WINAPI InstallWorker(LPVOID unused);
