#include "common/line_copy.h"

#include "tests/unit/stream_faults.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Every byte but a line end is data; a copy is the same bytes with CR LF after every line.
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
    EXPECT_FALSE(result.readFailed);
    EXPECT_FALSE(result.writeFailed);
  }
}

TEST(CopyLines, StopsAtTheFirstFailedWrite) {
  std::istringstream reader("abc\r\ndef\r\nghi\r\n");
  FailingSinkBuffer sink(3);
  std::ostream writer(&sink);

  const LineCopyResult result = CopyLines(reader, writer);

  EXPECT_TRUE(result.writeFailed);
  EXPECT_FALSE(result.readFailed);
  EXPECT_EQ(sink.accepted(), "abc");
  // Nothing past the failed line was taken from the reader.
  std::string next;
  ASSERT_TRUE(ReadConfigLine(reader, next));
  EXPECT_EQ(next, "def");
}

TEST(CopyLines, ReadErrorIsToldApartFromEndOfFile) {
  FailingSourceBuffer source("one\r\ntwo\r\nthr");
  std::istream reader(&source);
  std::ostringstream writer;

  const LineCopyResult result = CopyLines(reader, writer);

  EXPECT_TRUE(result.readFailed);
  EXPECT_FALSE(result.writeFailed);
  EXPECT_EQ(writer.str(), "one\r\ntwo\r\n");
}

} // namespace
