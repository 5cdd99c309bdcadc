#pragma once

#include <string>

// The folder that holds the running program, without a trailing backslash ("C:" at a drive's
// root); the empty text when Windows cannot say, or the path does not fit.
std::string ProgramFolder();
