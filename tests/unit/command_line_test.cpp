#include "common/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ParseCommandLine, SwitchesFolderAndUsage) {
  std::string cyrillic; // 99 characters of two bytes each in UTF-8
  for (int i = 0; i < 99; ++i)
    cyrillic += "\xD0\x96";
  const struct {
    std::string arguments;
    bool silent, usage;
    std::optional<std::string> folder;
    bool utf8 = false; // the code page the line arrives in
  } cases[] = {
      {"", false, false, std::nullopt},
      {"  /S  ", true, false, std::nullopt},
      {"/S /D=  \"C:\\Deus Ex\"\t ", true, false, "C:\\Deus Ex"}, // pasted: Copy as path
      {"/S \"/D= C:\\Deus Ex \"", true, false, "C:\\Deus Ex"},
      {"/D=C:\\DeusEx /S", false, false, "C:\\DeusEx /S"}, // /D= takes the rest of the line
      {"/S /D=" + cyrillic, true, false, cyrillic, true},  // the field takes 99 characters
      {"/S /D=" + cyrillic + "y", true, true, cyrillic + "y", true},
      {"/S /D=" + cyrillic, true, true, cyrillic}, // a single-byte code page: 198 characters
      {"/?", false, true, std::nullopt},
      {"/s", false, true, std::nullopt},
      {"/D", false, true, std::nullopt},
  };
  for (const auto &c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments, c.utf8);
    EXPECT_EQ(line.silent, c.silent) << c.arguments;
    EXPECT_EQ(line.usage, c.usage) << c.arguments;
    EXPECT_EQ(line.folder, c.folder) << c.arguments;
  }
}

} // namespace
