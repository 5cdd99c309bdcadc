#include "common/line_copy.h"

#include <string>

LineCopyResult CopyLines(std::istream &reader, std::ostream &writer) {
  LineCopyResult result;
  std::string line;
  while (std::getline(reader, line)) {
    writer << line << std::endl;
    if (!writer) {
      result.writeFailed = true;
      return result;
    }
  }
  // End of file leaves eof and fail; only a read error leaves bad.
  result.readFailed = reader.bad();
  return result;
}
