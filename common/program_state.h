// The little program-wide state that the pages publish and the worker reads. Written only by
// the page thread, and only before the worker starts.
#pragma once

#include <windows.h>

#include <string>

extern HINSTANCE appInstance;  // module instance: every dialog and icon is loaded from it
extern std::string gameFolder; // the game folder as found in the registry or typed
extern HWND pageWindow;        // the current page; the worker addresses its controls through it

// The folder field's buffer: 100 characters, so at most 99 are taken.
inline constexpr int folderFieldSize = 100;
