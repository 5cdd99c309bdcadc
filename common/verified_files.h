// Copies and deletions that count only once they are seen done: some file systems report a copy
// as done that left the target empty or short, or a deletion that left the file in place.
#pragma once

#include "common/platform.h"

#include <optional>
#include <string>

// The whole file; nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string &path);

// Writes bytes to `temporaryPath`, reads them back, flushes them to the disk, moves the file onto
// `path` and reads that back: `path` holds either what it held or the new bytes, after a power
// cut too. Returns the system's error,
// notDoneAsReported when a read back differs, or 0. A temporary file that did not make it is
// deleted.
ErrorCode ReplaceVerified(const std::string &path, const std::string &temporaryPath,
                          const std::string &bytes);

// True when the file can be read to its end and holds nothing but NUL bytes (an empty one too).
bool HoldsOnlyZeros(const std::string &path);

// True when both files can be read to their end and hold the same bytes.
bool SameContent(const std::string &first, const std::string &second);

// Copies `from` onto `to` and reads both back. Returns the system's error, notDoneAsReported when
// the copy differs, or 0.
ErrorCode CopyVerified(const std::string &from, const std::string &to);

// Deletes the file and looks whether it is gone. Returns the system's error, notDoneAsReported
// when the file is still there, or 0.
ErrorCode DeleteConfirmed(const std::string &path);

// Renames `from` to `to` (which must not exist), keeping the file's bytes and attributes, its
// read-only mark included, and reads it back under its new name. Returns the system's error,
// notDoneAsReported when the file did not arrive whole or is still under its old name, or 0.
ErrorCode MoveVerified(const std::string &from, const std::string &to);
