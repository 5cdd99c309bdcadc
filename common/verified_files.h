// Copies and deletions that count only once they are seen done: some file systems report a copy
// as done that left the target empty or short, or a deletion that left the file in place.
#pragma once

#include "common/platform.h"

#include <string>

// True when both files can be read to their end and hold the same bytes.
bool SameContent(const std::string &first, const std::string &second);

// Copies `from` onto `to` and reads both back. Returns the system's error, notDoneAsReported when
// the copy differs, or 0.
ErrorCode CopyVerified(const std::string &from, const std::string &to);

// Deletes the file and looks whether it is gone. Returns the system's error, notDoneAsReported
// when the file is still there, or 0.
ErrorCode DeleteConfirmed(const std::string &path);
