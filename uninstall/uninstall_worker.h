// The uninstall program's file work, run on a thread of its own that the progress page starts.
#pragma once

#include <windows.h>

// Deletes the configuration files, rebuilds DeusEx.ini from the backup, removes the package
// files and ends the process: with 0 after the closing box, with -1 after a fatal failure.
// Reads gameFolder and pageWindow; takes no parameter and never returns.
DWORD WINAPI UninstallWorker(LPVOID unused);
