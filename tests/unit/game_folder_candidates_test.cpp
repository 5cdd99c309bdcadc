#include "common/game_folder_candidates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Folders = std::vector<std::string>;

const char steamFile[] =
    "\"libraryfolders\"\n{\n"
    "\t\"0\"\n\t{\n\t\t\"path\"\t\t\"C:\\\\Program Files (x86)\\\\Steam\"\n"
    "\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"6910\"\t\t\"1\"\n"
    "\t\t}\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"D:\\\\SteamLibrary\"\n\t}\n}\n";

TEST(SteamLibraryFolders, TakesEveryPathAndSurvivesBrokenFiles) {
  const std::string longPath = "E:\\" + std::string(5000, 'p');
  const std::string megabyteLine(1000 * 1000, 'x');
  const std::string good = "\"path\" \"D:\\\\Lib\"";
  const struct {
    const char *name;
    std::string text;
    Folders expected;
  } cases[] = {
      {"Steam's own file", steamFile, {"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary"}},
      {"empty", "", {}},
      {"no path at all", "\"libraryfolders\" { \"0\" { \"label\" \"x\" } }", {}},
      {"older list without paths", "\"LibraryFolders\" { \"1\" \"D:\\\\Lib\" }", {}},
      {"path as a value is no key", "\"label\" \"path\" \"x\" \"D:\\\\Lib\"", {}},
      {"key case ignored", "\"Path\" \"D:\\\\Lib\"", {"D:\\Lib"}},
      {"escaped quote", "\"path\" \"C:\\\\A\\\"B\" " + good, {"C:\\A\"B", "D:\\Lib"}},
      {"lone backslash kept", "\"path\" \"C:\\Games\"", {"C:\\Games"}},
      {"bare words pair up", "path D:\\Lib label x " + good, {"D:\\Lib", "D:\\Lib"}},
      {"unclosed quote breaks its line only", "\"path\" \"C:\\\\Broken\n" + good, {"D:\\Lib"}},
      {"cut off in the value", "\"path\" \"C:\\\\Gam", {}},
      {"unbalanced braces", "}}}{{ " + good + " }}}", {"D:\\Lib"}},
      {"megabyte line, unquoted", megabyteLine + "\n" + good, {"D:\\Lib"}},
      {"megabyte line, unclosed quote", "\"" + megabyteLine + "\n" + good, {"D:\\Lib"}},
      {"5000-character path", "\"path\" \"" + longPath + "\" " + good, {longPath, "D:\\Lib"}},
      {"NUL in a path", std::string("\"path\" \"C:\\\\A\0B\" ", 17) + good, {"D:\\Lib"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SteamLibraryFolders(c.text), c.expected);
  }
}

TEST(SteamFolder, UserRecordFirstInWindowsForm) {
  const struct {
    const char *user;
    const char *machine;
    const char *expected;
  } cases[] = {
      {"c:/program files (x86)/steam", "D:\\Steam", "c:\\program files (x86)\\steam"},
      {"c:/games/steam/", "", "c:\\games\\steam"},
      {"", "D:\\Steam\\", "D:\\Steam"},
      {"/", "D:\\Steam", "D:\\Steam"},
      {"", "", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.user);
    EXPECT_EQ(SteamFolder(c.user, c.machine), c.expected);
  }
}

TEST(ParentFolder, StopsAtTheDriveAndTheShare) {
  const struct {
    const char *folder;
    const char *expected;
  } cases[] = {
      {"C:\\Games\\Kit", "C:\\Games"},
      {"C:\\Games\\Kit\\", "C:\\Games"},
      {"C:\\Kit", "C:"},
      {"C:\\", ""},
      {"C:", ""},
      {"Kit", ""},
      {"\\\\server\\share\\Kit", "\\\\server\\share"},
      {"\\\\server\\share", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(ParentFolder(c.folder), c.expected);
  }
}

TEST(GameFolderCandidates, GogThenSteamLibrariesThenTheProgramFolder) {
  const std::string libraries = "\"path\" \"c:\\\\steam\\\\\" \"path\" \"\" \"path\" \"D:/Lib\"";
  const struct {
    const char *name;
    Folders gog;
    std::string steam, steamFile, program;
    Folders expected;
  } cases[] = {
      {"all",
       {"G:\\Gog\\", "H:\\Gog"},
       "C:\\Steam",
       libraries,
       "E:\\Kit\\Setup",
       {"G:\\Gog", "H:\\Gog", "C:\\Steam\\steamapps\\common\\Deus Ex",
        "D:\\Lib\\steamapps\\common\\Deus Ex", "E:\\Kit\\Setup", "E:\\Kit"}},
      {"nothing found", {"", ""}, "", "", "", {}},
      {"program at a drive's root", {}, "", "", "E:", {"E:"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GameFolderCandidates(c.gog, c.steam, c.steamFile, c.program), c.expected);
  }
}

TEST(FirstGameFolder, TakesTheFirstThatHoldsTheConfigurationAndFitsTheField) {
  const std::string fits = "C:\\" + std::string(96, 'f');    // 99 characters
  const std::string tooLong = "C:\\" + std::string(97, 'l'); // 100 characters
  const std::set<std::string> files = {fits + "\\System\\DeusEx.ini",
                                       tooLong + "\\System\\DeusEx.ini",
                                       "D:\\Game\\System\\DeusEx.ini", "E:\\Other\\DeusEx.ini"};
  const auto fileExists = [&files](const std::string &path) { return files.count(path) > 0; };
  const struct {
    const char *name;
    Folders candidates;
    std::string expected;
  } cases[] = {
      {"99 characters fit", {fits, "D:\\Game"}, fits},
      {"100 characters do not", {tooLong, "D:\\Game"}, "D:\\Game"},
      {"no System\\DeusEx.ini", {"E:\\Other", "F:\\Missing", "D:\\Game"}, "D:\\Game"},
      {"none qualifies", {tooLong, "E:\\Other"}, ""},
      {"no candidates", {}, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstGameFolder(c.candidates, fileExists), c.expected);
  }
}

} // namespace
