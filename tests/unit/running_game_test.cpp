#include "common/running_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Images = std::vector<std::string>;

// A link (the Flatpak recipe) that reaches C:\Games\DeusEx\System\DeusEx.exe otherwise.
bool SameFile(const std::string &first, const std::string &second) {
  const auto identity = [](const std::string &path) {
    return path == "Z:\\game\\System\\DeusEx.exe" ? "C:\\Games\\DeusEx\\System\\DeusEx.exe" : path;
  };
  return identity(first) == identity(second);
}

TEST(ImagesRunningFrom, OnlyProgramsDirectlyInTheSystemFolderCount) {
  const std::string game = "C:\\Games\\DeusEx\\System\\DeusEx.exe";
  const std::string editor = "C:\\Games\\DeusEx\\System\\UnrealEd.exe"; // or a renamed launcher
  const struct {
    const char *name;
    std::string folder;
    Images images;
    Images expected;
  } cases[] = {
      {"in order, others left out",
       "C:\\Games\\DeusEx",
       {"C:\\windows\\explorer.exe", editor, "C:\\Other\\System\\DeusEx.exe", game},
       {editor, game}},
      {"letter case", "c:\\DX", {"C:\\dx\\sYSTEM\\x.exe"}, {"C:\\dx\\sYSTEM\\x.exe"}},
      {"forward slashes", "C:/DX", {"C:/DX/System/x.exe"}, {"C:/DX/System/x.exe"}},
      {"drive root, trailing separator", "Z:\\", {"Z:\\System\\x.exe"}, {"Z:\\System\\x.exe"}},
      {"sub-folder of System", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx\\System\\Sub\\x.exe"}, {}},
      {"outside System, or in a look-alike",
       "C:\\Games\\DeusEx",
       {"C:\\Games\\DeusEx\\DeusEx.exe", "C:\\Games\\DeusEx\\SystemX\\x.exe",
        "C:\\Games\\DeusEx2\\System\\x.exe"},
       {}},
      {"System\\ without a name", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx\\System\\"}, {}},
      {"a folder that is empty once its separators go", "\\", {"\\System\\DeusEx.exe"}, {}},
      {"through a link only the game, known by its file", "Z:\\game", {game, editor}, {game}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ImagesRunningFrom(c.folder, c.images, SameFile), c.expected);
  }
}

} // namespace
