// Copies a text stream line by line, as the finalisation writes DeusEx.ini from the
// temporary configuration.
#pragma once

#include <istream>
#include <ostream>

struct LineCopyResult {
  bool readFailed = false;  // the reader went bad before its end (a read error, not end of file)
  bool writeFailed = false; // a line or its line end could not be written
};

// Reads each line (without its line feed) and writes it followed by a line end and a flush.
// Stops at the first read that takes no character, or at the first failed write.
LineCopyResult CopyLines(std::istream &reader, std::ostream &writer);
