// The command line of both programs: /S runs without pages or boxes, /D= names the game folder.
// A program started without arguments runs as it always did.
#pragma once

#include <optional>
#include <string>

struct CommandLine {
  bool silent = false;               // /S: no page, no box; every box goes to the log instead
  std::optional<std::string> folder; // /D=<folder>: stands where the path page's field would
  bool usage = false;                // /?, an unknown argument or a folder the field cannot take
};

// Reads the arguments after the program's name. /D= is the last argument and takes the rest of
// the line, blanks included; quotes around it, or around its folder, are removed. Its length is
// counted in characters: UTF-8 ones where utf8CodePage (text_characters.h).
CommandLine ParseCommandLine(const std::string &arguments, bool utf8CodePage);

// A folder as typed, pasted or given with /D=: blanks around it and one pair of quotes around it
// (Explorer's "Copy as path") removed.
std::string TrimmedFolder(const std::string &text);

// The game folder that a folder entry names: trimmed, then made absolute against the working
// folder, before any check or use, so that the running-game check and every path agree. An entry
// that is empty once trimmed stays empty (the worker says the game is not there).
std::string GameFolderFromEntry(const std::string &entry);

// The usage box's text for the program of the given file name.
std::string UsageText(const std::string &programName);

// The log entry that stands for a box in an unattended run.
std::string BoxLogEntry(const std::string &caption, const std::string &text);

// Exit code of a run whose command line could not be used.
inline constexpr int usageExitCode = 2;
// Exit code of a run that found something running that must finish first (the game from the game
// folder, or another kit program): nothing has been touched.
inline constexpr int notNowExitCode = 3;
