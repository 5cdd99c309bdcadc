// Everything the workers need from the system: files, the progress page, message boxes, the log
// and the end of the process. The programs plug in the Windows side (windows_platform.cpp); the
// native tests plug in an in-memory game folder that can fail any operation.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>

using ErrorCode = std::uint32_t; // a Windows error code; 0 is success

// A copy or deletion that the system reported as done but that is not: the target differs from
// its source, or the file is still there. The system has no text for it.
inline constexpr ErrorCode notDoneAsReported = 0xE0000001;

// Message box types and answers, with the values Windows gives them.
inline constexpr unsigned okBox = 0x00, yesNoBox = 0x04, errorIcon = 0x10, warningIcon = 0x30;
inline constexpr int okAnswer = 1, yesAnswer = 6;

struct Platform {
  // Files, read and written as bytes: the callers write CR LF line ends themselves. A stream that
  // cannot be opened comes back null.
  std::unique_ptr<std::istream> (*openReader)(const std::string &path);
  std::unique_ptr<std::ostream> (*openWriter)(const std::string &path);  // created or emptied
  ErrorCode (*copyFile)(const std::string &from, const std::string &to); // replaces `to`
  ErrorCode (*moveFile)(const std::string &from, const std::string &to); // replaces `to`
  ErrorCode (*deleteFile)(const std::string &path);
  bool (*fileExists)(const std::string &path);
  ErrorCode (*clearReadOnly)(const std::string &path);
  // Whether the file could be opened for writing, or deleted (not read-only, not held open by a
  // program that shares it for less), without changing it: lets a run that replaces several
  // files refuse before it touches the first.
  ErrorCode (*checkWritable)(const std::string &path);
  ErrorCode (*checkDeletable)(const std::string &path);
  std::string (*systemErrorText)(ErrorCode error); // empty when the system has none
  std::string (*documentsFolder)();                // the user's Documents; empty when unknown

  // The current page's controls, by identifier.
  void (*setText)(int controlId, const std::string &text);
  void (*setProgressRange)(int progressBarId, int steps); // 0..steps, step size 1
  void (*advanceProgress)(int progressBarId);
  void (*showControl)(int controlId);

  // A box without owner; returns the answer.
  int (*showBox)(const std::string &text, const char *caption, unsigned type);

  // One log line, time-stamped when stampFlag is exactly 1; false when it could not be written.
  bool (*appendLog)(const std::string &message, int stampFlag);

  // While held, an end of the process asked for on another thread waits: DeusEx.ini is being
  // written, and a half-written one must not be left behind.
  void (*holdExit)();
  void (*releaseExit)();

  // The program's error box for a non-zero code, then the end of the process. Never returns.
  void (*exitProgram)(int code);

  // <Documents>\Deus Ex, in UTF-8, where it exists but documentsFolder cannot give it: the ANSI
  // code page cannot hold its name (an older Windows ignores the programs' UTF-8 code page).
  // Empty otherwise.
  std::string (*unreachableLauncherFolder)();
  // Puts the file's data on the disk: until then a power cut may leave the file at its size but
  // filled with zeros (the file system keeps sizes, names and deletions, not contents). Closing,
  // reading back and copying do not do this. Opens the file for writing, so a read-only file
  // fails.
  ErrorCode (*flushFile)(const std::string &path);
  // The path made absolute against the working folder, ".." and "." resolved (GetFullPathNameA);
  // the path as given when the system cannot.
  std::string (*absolutePath)(const std::string &path);
};

// The platform in use, set once when the program starts (or by a test).
extern const Platform *platform;

// Holds the end of the process back for the life of the guard.
class ExitHold {
public:
  ExitHold() { platform->holdExit(); }
  ~ExitHold() { platform->releaseExit(); }
  ExitHold(const ExitHold &) = delete;
  ExitHold &operator=(const ExitHold &) = delete;
};
