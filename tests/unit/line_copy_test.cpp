#include "common/line_copy.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Every byte but a line end is data; a copy is the same bytes with CR LF after every line (its
// failures are the fault sweep's).
TEST(CopyLines, KeepsEveryByteButTheLineEnds) {
  const struct {
    std::string input, expected;
  } cases[] = {
      {"", ""},
      {"a\r\n\r\n\r\nb\r\n", "a\r\n\r\n\r\nb\r\n"},
      {"a\nlast", "a\r\nlast\r\n"},
      {"ctrl-z \x1a stays\r\nafter it\r\n", "ctrl-z \x1a stays\r\nafter it\r\n"},
      {"lone\rcr\r\r\nend\r", "lone\rcr\r\r\nend\r\r\n"},
      {std::string("nul\0byte\r\n", 10), std::string("nul\0byte\r\n", 10)},
  };
  for (const auto &c : cases) {
    std::istringstream reader(c.input);
    std::ostringstream writer;
    const LineCopyResult result = CopyLines(reader, writer);
    EXPECT_EQ(writer.str(), c.expected) << c.input;
    EXPECT_FALSE(result.readFailed || result.writeFailed);
  }
}

} // namespace
