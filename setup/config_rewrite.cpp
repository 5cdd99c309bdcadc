#include "setup/config_rewrite.h"

#include "common/line_copy.h"

#include <string>

namespace {

bool StartsWith(const std::string &line, const char *prefix) {
  return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

void Log(const RewriteReport &report, const std::string &entry) {
  if (report.log)
    report.log(entry);
}

void AdvanceProgress(const RewriteReport &report) {
  if (report.advanceProgress)
    report.advanceProgress();
}

// One of the three settings: the first line gets the modification's value, later ones are
// dropped.
struct Setting {
  const char *prefix;
  const char *name;
  const char *modLine;
  bool advancesProgress;
  bool RewriteOutcome::*setFlag;
};

const Setting settings[] = {
    {"Class=", "Class", modClassLine, true, &RewriteOutcome::classSet},
    {"GameSpeed=", "GameSpeed", modGameSpeedLine, false, &RewriteOutcome::gameSpeedSet},
    {"DefaultGame=", "DefaultGame", modDefaultGameLine, true, &RewriteOutcome::defaultGameSet},
};

std::string RemovedEntry(const Setting &setting, const std::string &lineRead) {
  return std::string("\n\n---> Removed excess ") + setting.name + " line in DeusEx.ini\n---> " +
         lineRead;
}

const Setting *RecognisedSetting(const std::string &line) {
  for (const Setting &setting : settings) {
    if (StartsWith(line, setting.prefix))
      return &setting;
  }
  return nullptr;
}

} // namespace

RewriteOutcome RewriteGameConfiguration(std::istream &reader, std::ostream &writer,
                                        const RewriteReport &report) {
  RewriteOutcome outcome;
  const auto writeLine = [&writer, &outcome](const std::string &text) {
    WriteConfigLine(writer, text);
    outcome.writeFailed = !writer;
    return !outcome.writeFailed;
  };
  bool inUrlSection = false;
  std::string line;
  for (bool first = true; ReadConfigLine(reader, line); first = false) {
    // A UTF-8 byte-order mark belongs to the start of the file, not to the first line's text: it
    // stays where it is, in front of whatever line is written first.
    const std::string byteOrderMark = "\xEF\xBB\xBF";
    if (first && line.compare(0, byteOrderMark.size(), byteOrderMark) == 0) {
      line.erase(0, byteOrderMark.size());
      writer << byteOrderMark;
      outcome.writeFailed = !writer;
      if (outcome.writeFailed)
        return outcome;
    }
    if (StartsWith(line, "["))
      inUrlSection = StartsWith(line, "[URL]");

    if (const Setting *setting = RecognisedSetting(line)) {
      bool &alreadySet = outcome.*(setting->setFlag);
      if (alreadySet) {
        Log(report, RemovedEntry(*setting, line));
        continue;
      }
      if (!writeLine(setting->modLine))
        return outcome;
      alreadySet = true;
      Log(report, ChangedLineEntry(setting->name, line, setting->modLine));
      if (setting->advancesProgress)
        AdvanceProgress(report);
      continue;
    }

    // The first line outside [URL] while no Class line has been written closes the [URL]
    // section with the modification's Class line.
    if (!outcome.classSet && !inUrlSection) {
      if (!writeLine(modClassLine))
        return outcome;
      outcome.classSet = true;
      if (!writeLine(""))
        return outcome;
    }
    if (!writeLine(line))
      return outcome;
  }
  outcome.readFailed = reader.bad();
  // Lines still buffered in the writer must reach it before the outcome can call them written.
  outcome.writeFailed = !writer.flush();
  return outcome;
}
