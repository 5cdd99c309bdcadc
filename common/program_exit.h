// How both programs end, and the texts of the confirm boxes that ask before they do.
#pragma once

#include <string>

inline constexpr const char *shortConfirmText = "Are you sure you want to exit setup?";
inline constexpr const char *longConfirmText =
    "Are you sure you want to exit setup?\n\nKestrevane will NOT be installed if you select Yes.";

// The text of the program's own error box; each program defines it.
std::string ProgramErrorBoxText();

// Shows the program's error box for a non-zero code, then ends the process with the code. Only
// the first caller gets this far; a second one, on any thread, never returns.
[[noreturn]] void ExitProgram(int code);
