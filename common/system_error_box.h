// The "Kestrevane Error" box of a failed file operation: the system's text for the error
// followed by a fixed text, cut to fit the 256-byte box buffer.
#pragma once

#include "common/platform.h"

#include <string>

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText);

// A package file operation that failed: its box, naming what was being done ("copying") and the
// file, then " (FAILED)" closing the log entry, then the end of the run with -1.
[[noreturn]] void ExitOnFileFailure(ErrorCode error, const char *doing,
                                    const std::string &fileName);
