#include "setup/config_rewrite.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string JoinLines(const Lines &lines, bool lastLineEnded = true) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    if (i + 1 < lines.size() || lastLineEnded)
      text += "\r\n";
  }
  return text;
}

const std::string modClass = "Class=Kestrevane.K_JCDentonMale";
const std::string modSpeed = "GameSpeed=1.000000";
const std::string modGame = "DefaultGame=Kestrevane.KestrevaneGameInfo";

std::string ClassChanged(const std::string &old) {
  return "\n\n---> Class Changed (OK)\n---> Changed line: " + old +
         "\n--->               Class=Kestrevane.K_JCDentonMale";
}
std::string SpeedChanged(const std::string &old) {
  return "\n\n---> GameSpeed Changed (OK)\n---> Changed line: " + old +
         "\n--->               GameSpeed=1.000000";
}
std::string GameChanged(const std::string &old) {
  return "\n\n---> DefaultGame Changed (OK)\n---> Changed line: " + old +
         "\n--->               DefaultGame=Kestrevane.KestrevaneGameInfo";
}
std::string Removed(const std::string &setting, const std::string &old) {
  return "\n\n---> Removed excess " + setting + " line in DeusEx.ini\n---> " + old;
}

struct Recorder {
  Lines entries;
  int progressSteps = 0;
  RewriteReport Report() {
    return {[this](const std::string &entry) { entries.push_back(entry); },
            [this] { ++progressSteps; }};
  }
};

struct RewriteCase {
  const char *name;
  Lines input;
  bool lastLineEnded;
  Lines expectedOutput;
  struct {
    bool classSet, gameSpeedSet, defaultGameSet;
  } flags;
  Lines expectedLog;
  int progressSteps;
};

const RewriteCase rewriteCases[] = {
    {"SettingsReplacedInPlace",
     {"[URL]", "Protocol=deusex", "Class=DeusEx.JCDentonMale", "", "[Engine.GameInfo]",
      "GameSpeed=1.200000", "[Engine.Engine]", "DefaultGame=DeusEx.DeusExGameInfo"},
     true,
     {"[URL]", "Protocol=deusex", modClass, "", "[Engine.GameInfo]", modSpeed, "[Engine.Engine]",
      modGame},
     {true, true, true},
     {ClassChanged("Class=DeusEx.JCDentonMale"), SpeedChanged("GameSpeed=1.200000"),
      GameChanged("DefaultGame=DeusEx.DeusExGameInfo")},
     2},
    {"MissingClassClosesUrlSection",
     {"[URL]", "Protocol=deusex", "", "[Engine.Engine]", "DefaultGame=B"},
     true,
     {"[URL]", "Protocol=deusex", "", modClass, "", "[Engine.Engine]", modGame},
     {true, false, true},
     {GameChanged("DefaultGame=B")},
     1},
    {"CommentFirstTakesClassAheadOfIt",
     {"; comment", "[URL]", "Class=A", "[Core.System]"},
     true,
     {modClass, "", "; comment", "[URL]", "[Core.System]"},
     {true, false, false},
     {Removed("Class", "Class=A")},
     0},
    {"LookalikesAreOrdinaryLines",
     {"[URL]", "class=a", " Class=b", "Class", "ClassName=c", "[Engine]", "gamespeed=2",
      " GameSpeed=2", "DefaultGameMode=3", "DEFAULTGAME=4", "["},
     true,
     {"[URL]", "class=a", " Class=b", "Class", "ClassName=c", modClass, "", "[Engine]",
      "gamespeed=2", " GameSpeed=2", "DefaultGameMode=3", "DEFAULTGAME=4", "["},
     {true, false, false},
     {},
     0},
    {"HeaderWithTextAfterUrlOpensUrl",
     {"[URL]Extra", "Protocol=deusex", "[Next]"},
     true,
     {"[URL]Extra", "Protocol=deusex", modClass, "", "[Next]"},
     {true, false, false},
     {},
     0},
    {"LowerCaseUrlHeaderDoesNotOpenUrl",
     {"[url]", "Protocol=deusex"},
     true,
     {modClass, "", "[url]", "Protocol=deusex"},
     {true, false, false},
     {},
     0},
    {"EmptyConfiguration", {}, true, {}, {false, false, false}, {}, 0},
};

void PrintTo(const RewriteCase &c, std::ostream *out) { *out << c.name; }

class RewriteTable : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTable, WritesLogsAndReports) {
  const RewriteCase &c = GetParam();
  std::istringstream reader(JoinLines(c.input, c.lastLineEnded));
  std::ostringstream writer;
  Recorder recorder;

  const RewriteOutcome outcome = RewriteGameConfiguration(reader, writer, recorder.Report());

  EXPECT_EQ(writer.str(), JoinLines(c.expectedOutput));
  EXPECT_EQ(outcome.classSet, c.flags.classSet);
  EXPECT_EQ(outcome.gameSpeedSet, c.flags.gameSpeedSet);
  EXPECT_EQ(outcome.defaultGameSet, c.flags.defaultGameSet);
  EXPECT_FALSE(outcome.readFailed);
  EXPECT_FALSE(outcome.writeFailed);
  EXPECT_EQ(recorder.entries, c.expectedLog);
  EXPECT_EQ(recorder.progressSteps, c.progressSteps);
}

INSTANTIATE_TEST_SUITE_P(Configurations, RewriteTable, ::testing::ValuesIn(rewriteCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
