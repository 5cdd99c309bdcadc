#pragma once

#include <string>

// The folder that holds the running program, without a trailing backslash ("C:" at a drive's
// root); the empty text when Windows cannot say, the path does not fit, or the ANSI code page
// cannot hold its name (an older Windows, which ignores the programs' UTF-8 code page).
std::string ProgramFolder();

// That folder in UTF-8 where the code page cannot hold its name; the empty text otherwise.
std::string UnreachableProgramFolder();
