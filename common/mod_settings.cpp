#include "common/mod_settings.h"

// The "--->" and 15 blanks put the new line under the old one, which follows the 19 characters
// of "---> Changed line: ".
std::string ChangedLineEntry(const char *name, const std::string &before,
                             const std::string &after) {
  return std::string("\n\n---> ") + name + " Changed (OK)\n---> Changed line: " + before +
         "\n--->               " + after;
}
