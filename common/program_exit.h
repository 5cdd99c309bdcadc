// How both programs end: the exit routine with its error box, and the confirm boxes.
#pragma once

#include <windows.h>

#include <string>

inline constexpr const char *shortConfirmText = "Are you sure you want to exit setup?";
inline constexpr const char *longConfirmText =
    "Are you sure you want to exit setup?\n\nKestrevane will NOT be installed if you select Yes.";

// The text of the program's own error box; each program defines it.
std::string ProgramErrorBoxText();

// Shows the program's error box for a non-zero code, then ends the process with the code.
[[noreturn]] void ExitProgram(int code);

// Asks "Confirm Exit" with the given text; Yes ends the page and the process with code 0,
// No returns and changes nothing.
void ConfirmExitBox(HWND page, const char *text);
