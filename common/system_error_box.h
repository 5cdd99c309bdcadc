// The "Kestrevane Error" box of a failed file operation: the system's text for the error
// followed by a fixed text, cut to fit the 256-byte box buffer.
#pragma once

#include "common/platform.h"

#include <string>

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText);

// A manifest entry whose kind names no game sub-folder is a fault of the kit itself: the
// "FATAL ERROR" box with boxText, the two log entries that name the file and what to do
// ("Could not <action> file"), and the end of the program with -1.
[[noreturn]] void ExitOnUnknownPackageKind(const std::string &boxText, const char *action,
                                           const std::string &fileName);
