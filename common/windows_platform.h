// The Windows side of the platform: the files (windows_files.cpp), the page through window
// messages, boxes (boxes.cpp), the log file, and the end of the process (process_end.cpp).
#pragma once

#include <windows.h>

extern HWND pageWindow; // the current page; the worker addresses its controls through it

// Makes the Windows side the platform in use. Called once, first thing in WinMain.
void UseWindowsPlatform();
