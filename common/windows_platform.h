// The Windows side of the platform: files through the C library and the kernel, the page through
// window messages, boxes, the log file, and the end of the process.
#pragma once

#include <windows.h>

#include <string>

extern HWND pageWindow; // the current page; the worker addresses its controls through it

// Makes the Windows side the platform in use. Called once, first thing in WinMain.
void UseWindowsPlatform();

// Every box of both programs: a message box with the given owner (null for none).
int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type);
