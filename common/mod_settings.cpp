#include "common/mod_settings.h"

#include <optional>

namespace {

// The first line that starts with `prefix`, without its line end; nothing when there is none.
std::optional<std::string> FirstLine(const std::string &bytes, const std::string &prefix) {
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end;
    if (bytes.compare(start, prefix.size(), prefix) == 0)
      return bytes.substr(start, end - start - (bytes[end - 1] == '\r' ? 1 : 0));
    start = end + 1;
  }
  return std::nullopt;
}

} // namespace

bool NamesKestrevane(const std::string &bytes) {
  return FirstLine(bytes, "Class=") == modClassLine ||
         FirstLine(bytes, "DefaultGame=") == modDefaultGameLine;
}

bool NamesOwnClasses(const std::string &bytes) {
  return FirstLine(bytes, "Class=") && FirstLine(bytes, "DefaultGame=") && !NamesKestrevane(bytes);
}

// The "--->" and 15 blanks put the new line under the old one, which follows the 19 characters
// of "---> Changed line: ".
std::string ChangedLineEntry(const char *name, const std::string &before,
                             const std::string &after) {
  return std::string("\n\n---> ") + name + " Changed (OK)\n---> Changed line: " + before +
         "\n--->               " + after;
}
