#include "uninstall/launcher_repair.h"

#include "common/mod_settings.h"

#include <optional>

namespace {

// A line of a configuration file: where its text starts and ends, and where its line end ends.
struct Line {
  std::size_t start, textEnd, end;
};

// The lines as the setup reads them: a CR before the LF belongs to the line end; a last line
// without a line end keeps all its bytes.
std::vector<Line> Lines(const std::string &bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t feed = bytes.find('\n', start);
    if (feed == std::string::npos) {
      lines.push_back({start, bytes.size(), bytes.size()});
      break;
    }
    const bool crlf = feed > start && bytes[feed - 1] == '\r';
    lines.push_back({start, crlf ? feed - 1 : feed, feed + 1});
    start = feed + 1;
  }
  return lines;
}

std::string Text(const std::string &bytes, const Line &line) {
  return bytes.substr(line.start, line.textEnd - line.start);
}

std::optional<Line> FirstStartingWith(const std::string &bytes, const std::string &prefix) {
  for (const Line &line : Lines(bytes))
    if (bytes.compare(line.start, prefix.size(), prefix) == 0 &&
        line.textEnd - line.start >= prefix.size())
      return line;
  return std::nullopt;
}

} // namespace

LauncherRepair RepairLauncherConfiguration(const std::string &launcherBytes,
                                           const std::string &gameBytes) {
  LauncherRepair repair{launcherBytes, {}};
  const struct {
    const char *setting, *prefix, *modLine;
  } settings[] = {{"Class", "Class=", modClassLine},
                  {"DefaultGame", "DefaultGame=", modDefaultGameLine}};
  for (const auto &setting : settings) {
    const std::optional<Line> line = FirstStartingWith(repair.bytes, setting.prefix);
    if (!line || Text(repair.bytes, *line) != setting.modLine)
      continue;
    const std::optional<Line> gameLine = FirstStartingWith(gameBytes, setting.prefix);
    RepairedLine change{setting.setting, setting.modLine,
                        gameLine ? Text(gameBytes, *gameLine) : std::string(), !gameLine};
    if (gameLine)
      repair.bytes.replace(line->start, line->textEnd - line->start, change.after);
    else
      repair.bytes.erase(line->start, line->end - line->start);
    repair.changes.push_back(change);
  }
  return repair;
}
