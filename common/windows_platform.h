// The Windows side of the platform: files through the C library and the kernel, the page through
// window messages, boxes, the log file, and the end of the process.
#pragma once

#include <windows.h>

#include <string>

extern HWND pageWindow; // the current page; the worker addresses its controls through it

// Makes the Windows side the platform in use. Called once, first thing in WinMain.
void UseWindowsPlatform();

// Every box of both programs: a message box with the given owner (null for none), or in an
// unattended run a log entry in its place.
int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type);

// Reads the program's command line. Returns when the pages are to run (a folder given by /D=
// then stands in the path page's field); otherwise it ends the process: with 2 after the usage
// box, or after `runUnattended`, which runs the program's work with gameFolder set from /D= or
// the registry, and every box going to the log.
void FollowCommandLine(const char *arguments, const char *programName, const char *caption,
                       void (*runUnattended)());
