// The rewrite's rules, case by case from rewrite_cases.txt.
#include "setup/config_rewrite.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Each case by its name: its parts ("configuration", "rewritten", "outcome"), every line ending
// with CR LF as in the file the rewrite reads.
using Parts = std::map<std::string, std::string>;

std::vector<std::pair<std::string, Parts>> ReadCases() {
  std::ifstream file(REWRITE_CASES_FILE);
  std::vector<std::pair<std::string, Parts>> cases;
  std::string line, part;
  while (std::getline(file, line))
    if (line.rfind("=== ", 0) == 0)
      cases.push_back({line.substr(4), {}});
    else if (line.rfind("--- ", 0) == 0)
      cases.back().second[part = line.substr(4)];
    else if (!cases.empty())
      cases.back().second[part] += line + "\r\n";
  return cases;
}

TEST(RewriteGameConfiguration, FollowsEveryCase) {
  const auto cases = ReadCases();
  ASSERT_GE(cases.size(), 7u);
  for (const auto &[name, parts] : cases) {
    SCOPED_TRACE(name);
    std::istringstream reader(parts.at("configuration"));
    std::ostringstream writer;
    int steps = 0;
    const RewriteOutcome outcome = RewriteGameConfiguration(
        reader, writer, {[](const std::string &) {}, [&steps] { ++steps; }});
    std::ostringstream flags;
    flags << (outcome.classSet ? "class " : "") << (outcome.gameSpeedSet ? "gamespeed " : "")
          << (outcome.defaultGameSet ? "defaultgame " : "") << "steps " << steps << "\r\n";
    EXPECT_EQ(writer.str(), parts.at("rewritten"));
    EXPECT_EQ(flags.str(), parts.at("outcome"));
    EXPECT_FALSE(outcome.readFailed || outcome.writeFailed);
  }
}

} // namespace
