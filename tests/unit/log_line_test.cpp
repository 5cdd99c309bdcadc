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

// The stamp is CalendarText's: day and time padded with zeros, English names.
TEST(LogLineBytes, StampsOnlyForFlagOneAndEndsEveryLineWithCrLf) {
  const std::tm sunday = MakeTime(2026, 12, 6, 0, 9, 5, 3);
  const struct {
    const char *message;
    int flag;
    std::tm time;
    const char *expected;
  } cases[] = {
      {"Setup started", 1, sunday, "[ Sun Dec 06 09:05:03 2026 ] Setup started\r\n"},
      {"\n\nHEADER", 1, MakeTime(1999, 1, 31, 6, 23, 59, 59),
       "[ Sat Jan 31 23:59:59 1999 ] \r\n\r\nHEADER\r\n"},
      // A box's text with the system's error text in an unattended run.
      {"\n\n---> (Kestrevane Error) File not found.\r\n\nThis error occurred", 0, sunday,
       "\r\n\r\n---> (Kestrevane Error) File not found.\r\n\r\nThis error occurred\r\n"},
      {"lone\rcr", 2, sunday, "lone\rcr\r\n"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(LogLineBytes(c.message, c.flag, c.time), c.expected) << c.message;
}

} // namespace
