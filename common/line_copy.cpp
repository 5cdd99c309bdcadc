#include "common/line_copy.h"

bool ReadConfigLine(std::istream &reader, std::string &line) {
  if (!std::getline(reader, line))
    return false;
  // Only a line that ended with a line feed had a CR LF pair; a last line without one keeps its
  // bytes as they are.
  if (!reader.eof() && !line.empty() && line.back() == '\r')
    line.pop_back();
  return true;
}

void WriteConfigLine(std::ostream &writer, const std::string &line) { writer << line << "\r\n"; }

LineCopyResult CopyLines(std::istream &reader, std::ostream &writer) {
  LineCopyResult result;
  std::string line;
  while (ReadConfigLine(reader, line)) {
    WriteConfigLine(writer, line);
    if (!writer.flush()) {
      result.writeFailed = true;
      return result;
    }
  }
  // End of file leaves eof and fail; only a read error leaves bad.
  result.readFailed = reader.bad();
  return result;
}
