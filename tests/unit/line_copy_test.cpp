#include "common/line_copy.h"

#include "tests/unit/stream_faults.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(CopyLines, CopiesEveryLineAndEndsEachOne) {
  const struct {
    const char *input;
    const char *expected;
  } cases[] = {
      {"", ""},
      {"a\n\n\nb\n", "a\n\n\nb\n"},
      {"a\nlast", "a\nlast\n"},
      {"  blanks kept  \n\tand tabs\n", "  blanks kept  \n\tand tabs\n"},
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
  std::istringstream reader("abc\ndef\nghi\n");
  FailingSinkBuffer sink(3);
  std::ostream writer(&sink);

  const LineCopyResult result = CopyLines(reader, writer);

  EXPECT_TRUE(result.writeFailed);
  EXPECT_FALSE(result.readFailed);
  EXPECT_EQ(sink.accepted(), "abc");
  // Nothing past the failed line was taken from the reader.
  std::string next;
  ASSERT_TRUE(std::getline(reader, next));
  EXPECT_EQ(next, "def");
}

TEST(CopyLines, ReadErrorIsToldApartFromEndOfFile) {
  FailingSourceBuffer source("one\ntwo\nthr");
  std::istream reader(&source);
  std::ostringstream writer;

  const LineCopyResult result = CopyLines(reader, writer);

  EXPECT_TRUE(result.readFailed);
  EXPECT_FALSE(result.writeFailed);
  EXPECT_EQ(writer.str(), "one\ntwo\n");
}

} // namespace
