// The installation log both programs append to.
#pragma once

#include <string>

inline constexpr const char *logFilePath = "c:\\Kestrevane.log";

// Appends one line to the log, time-stamped when stampFlag is exactly 1. When the line cannot be
// written the user is warned with a box and the caller carries on. Always returns 0.
int WriteLog(std::string message, int stampFlag);
