// The uninstall program's two wizard pages: the path page opens the progress page, which
// starts the worker.
#pragma once

#include <windows.h>

INT_PTR CALLBACK UninstallPathPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK UninstallProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The removal on the worker thread that the progress page starts; it ends the process itself.
DWORD WINAPI UninstallWorker(LPVOID unused);
