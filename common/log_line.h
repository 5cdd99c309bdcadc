// Formatting and appending of installation log lines, without any Windows call.
#pragma once

#include <ctime>
#include <string>

// The 24-character calendar text that ctime renders, without its newline:
// "Sun Dec 06 09:05:03 2026" (English names, day of month always two digits).
std::string CalendarText(const std::tm &localTime);

// One log line as the file holds it: with stampFlag exactly 1 "[ " + CalendarText + " ] " in
// front of the message, then the message and a line end, every line ended by CR LF alone.
std::string LogLineBytes(const std::string &message, int stampFlag, const std::tm &localTime);

// Opens logPath for appending, writes the line's bytes, flushes and closes.
// Returns false when the file could not be opened or the line could not be written.
bool AppendLogLine(const std::string &logPath, const std::string &message, int stampFlag,
                   const std::tm &localTime);
