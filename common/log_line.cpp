#include "common/log_line.h"

#include <cstdio>
#include <fstream>

namespace {

const char *NameOrPlaceholder(const char *const names[], int count, int index) {
  return (index >= 0 && index < count) ? names[index] : "???";
}

} // namespace

// Built by hand rather than with ctime: some C libraries pad the day of month with a blank,
// while the log always shows two digits.
std::string CalendarText(const std::tm &localTime) {
  static const char *const weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d",
                NameOrPlaceholder(weekdays, 7, localTime.tm_wday),
                NameOrPlaceholder(months, 12, localTime.tm_mon), localTime.tm_mday,
                localTime.tm_hour, localTime.tm_min, localTime.tm_sec, localTime.tm_year + 1900);
  return text;
}

// A line feed becomes CR LF, as a text-mode stream on Windows would write it; a CR LF that the
// message already holds (the system's error texts end so) stays one line end, not CR CR LF.
std::string LogLineBytes(const std::string &message, int stampFlag, const std::tm &localTime) {
  const std::string text =
      (stampFlag == 1 ? "[ " + CalendarText(localTime) + " ] " : std::string()) + message + "\n";
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\n' && (at == 0 || text[at - 1] != '\r'))
      bytes += '\r';
    bytes += text[at];
  }
  return bytes;
}

bool AppendLogLine(const std::string &logPath, const std::string &message, int stampFlag,
                   const std::tm &localTime) {
  std::ofstream log(logPath, std::ios::out | std::ios::app | std::ios::binary);
  if (!log)
    return false;
  log << LogLineBytes(message, stampFlag, localTime) << std::flush;
  log.close();
  return !log.fail();
}
