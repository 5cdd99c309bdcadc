#include "common/log_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
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

std::string ReadWholeFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST(CalendarText, PadsDayAndTimeWithZeros) {
  EXPECT_EQ(CalendarText(MakeTime(2026, 12, 6, 0, 9, 5, 3)), "Sun Dec 06 09:05:03 2026");
  EXPECT_EQ(CalendarText(MakeTime(1999, 1, 31, 6, 23, 59, 59)), "Sat Jan 31 23:59:59 1999");
}

TEST(LogLineText, StampsOnlyForFlagOne) {
  const std::tm time = MakeTime(2026, 12, 6, 0, 9, 5, 3);
  const struct {
    const char *message;
    int flag;
    const char *expected;
  } cases[] = {
      {"Setup started", 1, "[ Sun Dec 06 09:05:03 2026 ] Setup started"},
      {"\n\nHEADER", 1, "[ Sun Dec 06 09:05:03 2026 ] \n\nHEADER"},
      {"", 1, "[ Sun Dec 06 09:05:03 2026 ] "},
      {"plain", 0, "plain"},
      {"plain", 2, "plain"},
      {"plain", -1, "plain"},
      {"", 0, ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(LogLineText(c.message, c.flag, time), c.expected) << c.flag;
}

TEST(AppendLogLine, KeepsEarlierContentAndEndsEachLine) {
  const std::string path = ::testing::TempDir() + "kestrevane_log_line_test.log";
  std::remove(path.c_str());
  { std::ofstream(path) << "from the other program\n"; }
  const std::tm time = MakeTime(2026, 12, 6, 0, 9, 5, 3);

  EXPECT_TRUE(AppendLogLine(path, "\nHEADER", 1, time));
  EXPECT_TRUE(AppendLogLine(path, "", 0, time));
  EXPECT_TRUE(AppendLogLine(path, "a\nb", 0, time));

  EXPECT_EQ(ReadWholeFile(path),
            "from the other program\n[ Sun Dec 06 09:05:03 2026 ] \nHEADER\n\na\nb\n");
  std::remove(path.c_str());
}

TEST(AppendLogLine, UnopenablePathIsReported) {
  const std::string path = ::testing::TempDir() + "kestrevane_no_such_folder/x.log";
  EXPECT_FALSE(AppendLogLine(path, "lost", 0, std::tm{}));
}

} // namespace
