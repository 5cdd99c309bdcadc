// Line-by-line reading and writing of the game's configuration files. The files are read and
// written as bytes, with CR LF line ends made here: every byte but the line ends is data (a
// Ctrl-Z byte too, which a C library's text mode would take for the end of the file).
#pragma once

#include <istream>
#include <ostream>
#include <string>

// Reads the next line without its line end; the CR of a CR LF pair goes with it. False at the
// end of the reader, or when the read fails.
bool ReadConfigLine(std::istream &reader, std::string &line);

// Writes the line and a CR LF line end.
void WriteConfigLine(std::ostream &writer, const std::string &line);

struct LineCopyResult {
  bool readFailed = false;  // the reader went bad before its end (a read error, not end of file)
  bool writeFailed = false; // a line or its line end could not be written
};

// Reads each line and writes it followed by a line end and a flush. Stops at the first read that
// takes no character, or at the first failed write.
LineCopyResult CopyLines(std::istream &reader, std::ostream &writer);
