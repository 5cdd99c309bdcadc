#include "common/log_line.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

std::tm MakeTime(int year, int month, int day, int wday, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_wday = wday;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

TEST(CalendarText, PadsDayAndTimeWithZeros) {
  EXPECT_EQ(CalendarText(MakeTime(2026, 12, 6, 0, 9, 5, 3)), "Sun Dec 06 09:05:03 2026");
  EXPECT_EQ(CalendarText(MakeTime(1999, 1, 31, 6, 23, 59, 59)), "Sat Jan 31 23:59:59 1999");
}

TEST(LogLineBytes, StampsOnlyForFlagOneAndEndsEveryLineWithCrLf) {
  const std::tm time = MakeTime(2026, 12, 6, 0, 9, 5, 3);
  const struct {
    const char *message;
    int flag;
    const char *expected;
  } cases[] = {
      {"Setup started", 1, "[ Sun Dec 06 09:05:03 2026 ] Setup started\r\n"},
      {"\n\nHEADER", 1, "[ Sun Dec 06 09:05:03 2026 ] \r\n\r\nHEADER\r\n"},
      {"", 0, "\r\n"},
      // A box's text with the system's error text in an unattended run.
      {"\n\n---> (Kestrevane Error) File not found.\r\n\nThis error occurred", 0,
       "\r\n\r\n---> (Kestrevane Error) File not found.\r\n\r\nThis error occurred\r\n"},
      {"lone\rcr", 0, "lone\rcr\r\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(LogLineBytes(c.message, c.flag, time), c.expected) << c.message;
}

} // namespace
