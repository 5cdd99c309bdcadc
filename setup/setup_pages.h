// The setup wizard's three pages. Each page opens the next from its own command handler.
#pragma once

#include <windows.h>

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PathPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The installation on the worker thread that the progress page starts. Returns 0 after a
// successful run; every fatal failure ends the process instead.
DWORD WINAPI InstallWorker(LPVOID unused);
