#include "common/running_game.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Images = std::vector<std::string>;

// A link (the Flatpak recipe) that reaches C:\Games\DeusEx\System\DeusEx.exe otherwise; the
// player model runs the game through links and a doubled "\." as well.
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
      {"the game", "C:\\Games\\DeusEx", {game}, {game}},
      {"in order, others left out",
       "C:\\Games\\DeusEx",
       {"C:\\windows\\explorer.exe", editor, "C:\\Other\\System\\DeusEx.exe", game},
       {editor, game}},
      {"letter case",
       "c:\\games\\DEUSEX",
       {"C:\\GAMES\\deusex\\sYSTEM\\DeusEx.exe"},
       {"C:\\GAMES\\deusex\\sYSTEM\\DeusEx.exe"}},
      {"forward slashes in the folder", "C:/Games/DeusEx", {game}, {game}},
      {"forward slashes in the image",
       "C:\\Games\\DeusEx",
       {"C:/Games/DeusEx/System/x.exe"},
       {"C:/Games/DeusEx/System/x.exe"}},
      {"trailing separator", "C:\\Games\\DeusEx\\", {game}, {game}},
      {"drive root", "Z:\\", {"Z:\\System\\DeusEx.exe"}, {"Z:\\System\\DeusEx.exe"}},
      {"sub-folder of System", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx\\System\\Sub\\x.exe"}, {}},
      {"look-alike System folder", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx\\SystemX\\x.exe"}, {}},
      {"look-alike game folder", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx2\\System\\x.exe"}, {}},
      {"the game folder itself", "C:\\Games\\DeusEx", {"C:\\Games\\DeusEx\\DeusEx.exe"}, {}},
      {"the System folder without a name",
       "C:\\Games\\DeusEx",
       {"C:\\Games\\DeusEx\\System\\"},
       {}},
      {"a longer folder", "C:\\Games\\DeusEx\\System", {game}, {}},
      {"empty folder", "", {"\\System\\DeusEx.exe", "System\\DeusEx.exe"}, {}},
      {"folder of separators", "\\", {"\\System\\DeusEx.exe"}, {}},
      {"the game through a link", "Z:\\game", {game}, {game}},
      {"another program through a link: only the game is known by its file",
       "Z:\\game",
       {editor},
       {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ImagesRunningFrom(c.folder, c.images, SameFile), c.expected);
  }
}

} // namespace
