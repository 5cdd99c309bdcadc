// The rewrite's rules, case by case from rewrite_cases.txt.
#include "setup/config_rewrite.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct RewriteCase {
  std::string name;
  std::map<std::string, std::vector<std::string>> parts; // "configuration", "rewritten", ...
};

std::vector<RewriteCase> ReadCases() {
  std::ifstream file(REWRITE_CASES_FILE);
  std::vector<RewriteCase> cases;
  std::string line, part;
  while (std::getline(file, line)) {
    if (line.rfind("=== ", 0) == 0)
      cases.push_back({line.substr(4), {}});
    else if (line.rfind("--- ", 0) == 0)
      cases.back().parts[part = line.substr(4)];
    else if (!cases.empty())
      cases.back().parts[part].push_back(line);
  }
  return cases;
}

std::string FileText(const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines)
    text += line + "\r\n";
  return text;
}

TEST(RewriteGameConfiguration, FollowsEveryCase) {
  const std::vector<RewriteCase> cases = ReadCases();
  ASSERT_GE(cases.size(), 7u);
  for (const RewriteCase &c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream reader(FileText(c.parts.at("configuration")));
    std::ostringstream writer;
    int steps = 0;
    const RewriteOutcome outcome = RewriteGameConfiguration(
        reader, writer, {[](const std::string &) {}, [&steps] { ++steps; }});
    std::ostringstream flags;
    flags << (outcome.classSet ? "class " : "") << (outcome.gameSpeedSet ? "gamespeed " : "")
          << (outcome.defaultGameSet ? "defaultgame " : "") << "steps " << steps;
    EXPECT_EQ(writer.str(), FileText(c.parts.at("rewritten")));
    EXPECT_EQ(flags.str(), c.parts.at("outcome").at(0));
    EXPECT_FALSE(outcome.readFailed || outcome.writeFailed);
  }
}

} // namespace
