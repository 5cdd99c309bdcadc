#include "common/log_line.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

// The calendar time of "YYYY-MM-DD hh:mm:ss", its weekday too.
std::tm At(const char *text) {
  std::tm time{};
  strptime(text, "%Y-%m-%d %H:%M:%S", &time);
  timegm(&time);
  return time;
}

// The stamp is CalendarText's: day and time padded with zeros, English names.
TEST(LogLineBytes, StampsOnlyForFlagOneAndEndsEveryLineWithCrLf) {
  const std::tm sunday = At("2026-12-06 09:05:03");
  const struct {
    const char *message;
    int flag;
    std::tm time;
    const char *expected;
  } cases[] = {
      {"Setup started", 1, sunday, "[ Sun Dec 06 09:05:03 2026 ] Setup started\r\n"},
      {"\n\nHEADER", 1, At("1999-01-30 23:59:59"),
       "[ Sat Jan 30 23:59:59 1999 ] \r\n\r\nHEADER\r\n"},
      {"lone\rcr", 2, sunday, "lone\rcr\r\n"},
      {"system text.\r\n\nnext", 0, sunday, "system text.\r\n\r\nnext\r\n"}, // CR LF stays
  };
  for (const auto &c : cases)
    EXPECT_EQ(LogLineBytes(c.message, c.flag, c.time), c.expected) << c.message;
}

} // namespace
