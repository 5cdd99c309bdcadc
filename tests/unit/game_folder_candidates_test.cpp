#include "common/game_folder_candidates.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Folders = std::vector<std::string>;

// Steam's library lists as Steam writes them (steam_libraries/): windows.vdf with four libraries,
// the first Steam's own folder, and the games each holds (app id, then size: numbered keys that
// are no libraries); linux.vdf from a native Linux Steam; older.vdf in the layout that steamcmd
// still writes, where numbered keys give the libraries.
std::string SteamLibraryFile(const char *name) {
  std::ifstream file(std::string(STEAM_LIBRARY_FILES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A stand-in for the ANSI code page: Latin-1, which holds the code points below 256 (two-byte
// UTF-8 sequences that begin with C2 or C3) and nothing else.
std::string InLatin1(const std::string &utf8) {
  std::string latin1;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = utf8[i], next = i + 1 < utf8.size() ? utf8[i + 1] : 0;
    if (c >= 0x80 && ((c != 0xC2 && c != 0xC3) || (next & 0xC0) != 0x80))
      return std::string();
    latin1 += static_cast<char>(c < 0x80 ? c : ((c & 0x03) << 6) | (utf8[++i] & 0x3F));
  }
  return latin1;
}

TEST(SteamLibraryFolders, TakesEveryLibraryOnceAndSurvivesBrokenFiles) {
  const std::string longPath = "E:\\" + std::string(5000, 'p');
  const std::string megabyteLine(1000 * 1000, 'x');
  const std::string good = "\"path\" \"D:\\\\Lib\"";
  std::string oneLibraryRepeated, manyLibraries = "\"LibraryFolders\"\n{\n";
  while (oneLibraryRepeated.size() < steamLibraryFileLimit)
    oneLibraryRepeated += good + "\n";
  Folders firstLibraries;
  for (int i = 0; i < 70; ++i) {
    manyLibraries += "\"" + std::to_string(i) + "\" \"L:\\\\" + std::to_string(i) + "\"\n";
    if (firstLibraries.size() < steamLibraryLimit)
      firstLibraries.push_back("L:\\" + std::to_string(i));
  }
  const struct {
    const char *name;
    std::string text;
    Folders expected;
  } cases[] = {
      {"Steam's file on Windows",
       SteamLibraryFile("windows.vdf"),
       {"C:\\Program Files (x86)\\Steam", "D:\\SteamLibrary", "E:\\Games\\Steam",
        "F:\\SteamLibrary"}},
      {"Steam's file on Linux",
       SteamLibraryFile("linux.vdf"),
       {"/home/ana/.local/share/Steam", "/mnt/games/SteamLibrary"}},
      {"older layout", SteamLibraryFile("older.vdf"), {"D:\\SteamLibrary", "E:\\Games\\Steam"}},
      {"numbered keys in a library's block", "\"l\" { \"0\" { \"1\" \"D:\\\\Lib\" } }", {}},
      {"numbered keys outside the block", "\"1\" \"D:\\\\Lib\"", {}},
      {"empty", "", {}},
      {"no path at all", "\"libraryfolders\" { \"0\" { \"label\" \"x\" } }", {}},
      {"path as a value is no key", "\"label\" \"path\" \"x\" \"D:\\\\Lib\"", {}},
      {"key case ignored", "\"Path\" \"D:\\\\Lib\"", {"D:\\Lib"}},
      {"escaped quote", "\"path\" \"C:\\\\A\\\"B\" " + good, {"C:\\A\"B", "D:\\Lib"}},
      {"lone backslash kept", "\"path\" \"C:\\Games\"", {"C:\\Games"}},
      {"bare words pair up", "path D:\\Bare label x " + good, {"D:\\Bare", "D:\\Lib"}},
      {"unclosed quote breaks its line only", "\"path\" \"C:\\\\Broken\n" + good, {"D:\\Lib"}},
      {"cut off in the value", "\"path\" \"C:\\\\Gam", {}},
      {"unbalanced braces", "}}}{{ " + good + " }}}", {"D:\\Lib"}},
      {"megabyte line, unquoted", megabyteLine + "\n" + good, {"D:\\Lib"}},
      {"megabyte line, unclosed quote", "\"" + megabyteLine + "\n" + good, {"D:\\Lib"}},
      {"5000-character path", "\"path\" \"" + longPath + "\" " + good, {longPath, "D:\\Lib"}},
      {"NUL in a path", std::string("\"path\" \"C:\\\\A\0B\" ", 17) + good, {"D:\\Lib"}},
      {"code page holds one path, not the other",
       "\"path\" \"D:\\\\Biblioth\xC3\xA8que Steam\" \"path\" "
       "\"E:\\\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\"",
       {"D:\\Biblioth\xE8que Steam"}},
      {"duplicates as paths compare",
       good + " \"path\" \"d:/lib/\" \"path\" \"D:\\\\Lib2\"",
       {"D:\\Lib", "D:\\Lib2"}},
      {"relative paths skipped", "\"path\" \"Lib\" path ..\\\\Lib path D:Lib " + good, {"D:\\Lib"}},
      {"four megabytes of one library", oneLibraryRepeated, {"D:\\Lib"}},
      {"more libraries than are read", manyLibraries + "}\n", firstLibraries},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SteamLibraryFolders(c.text, InLatin1), c.expected);
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

TEST(LinuxSteamFolders, UnderWineOnlyVariablesFirstThenTheHomeFolder) {
  const Folders inHome = {"Z:\\home\\ana\\.steam\\steam", "Z:\\home\\ana\\.steam\\root",
                          "Z:\\home\\ana\\.local\\share\\Steam",
                          "Z:\\home\\ana\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam",
                          "Z:\\home\\ana\\snap\\steam\\common\\.local\\share\\Steam"};
  // The sources' fields: GOG, Steam's entry, Steam's folder, WINEHOMEDIR,
  // STEAM_COMPAT_INSTALL_PATH, STEAM_COMPAT_CLIENT_INSTALL_PATH, XDG_DATA_HOME, program folder,
  // STEAM_APP_PATH, WINE_HOST_XDG_DATA_HOME.
  const struct {
    const char *name;
    GameFolderSources sources;
    Folders expected; // under Wine followed by inHome
  } cases[] = {
      {"outside Wine", {{}, {}, "", "", "/g", "/opt/steam", "/d", "", "/a", "/h"}, {}},
      {"the home folder, after WINE_HOST_XDG_DATA_HOME where XDG_DATA_HOME is not set",
       {{}, {}, "", "\\??\\Z:\\home\\ana", "", "", "", "", "", "/host/data/"},
       {"Z:\\host\\data\\Steam"}},
      {"Proton's Steam and XDG_DATA_HOME first, Linux paths through Z:",
       {{}, {}, "", "\\??\\Z:\\home\\ana", "", "/opt/steam/", "/data", "", "", "/host"},
       {"Z:\\opt\\steam", "Z:\\data\\Steam"}},
      {"Windows paths as they are, the Linux root as Z:",
       {{}, {}, "", "Z:\\home\\ana\\", "", "D:/Steam/", "/", "", "", ""},
       {"D:\\Steam", "Z:\\Steam"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Folders expected = c.expected;
    if (!c.sources.wineHome.empty())
      expected.insert(expected.end(), inHome.begin(), inHome.end());
    EXPECT_EQ(LinuxSteamFolders(c.sources), expected);
  }
}

TEST(GameFolderCandidates, EachSourceInOrderEachFolderOnce) {
  const std::string libraries = "\"path\" \"c:\\\\steam\\\\\" \"path\" \"\" \"path\" \"D:/Lib\"";
  const std::string game = "\\steamapps\\common\\Deus Ex", list = "\\steamapps\\libraryfolders.vdf";
  const std::string home = "Z:\\home\\ana", linuxSteam = home + "\\.local\\share\\Steam";
  const struct {
    const char *name;
    GameFolderSources sources; // fields as in LinuxSteamFolders' table
    std::map<std::string, std::string> files;
    Folders expected;
  } cases[] = {
      {"Windows",
       {{"G:\\Gog\\", "H:\\Gog"},
        {"E:\\Steam\\steamapps\\common\\Deus Ex", ""},
        "C:\\Steam",
        "",
        "/g",
        "/opt/steam",
        "",
        "E:\\Kit\\Setup",
        "/apps/Deus Ex",
        "/host"},
       {{"C:\\Steam" + list, libraries}},
       {"G:\\Gog", "H:\\Gog", "E:\\Steam" + game, "C:\\Steam" + game, "D:\\Lib" + game,
        "E:\\Kit\\Setup", "E:\\Kit"}},
      {"Wine, Proton's Steam in the home folder, linked twice",
       {{}, {}, "C:\\Steam", "\\??\\" + home, "/g/DX/", "/home/ana/.steam/steam", "", "", "", ""},
       {{"C:\\Steam" + list, "\"path\" \"/mnt/lib\""},
        {home + "\\.steam\\steam" + list, SteamLibraryFile("linux.vdf")},
        {linuxSteam + list, SteamLibraryFile("linux.vdf")}},
       {"C:\\Steam" + game, "\\mnt\\lib" + game, "Z:\\g\\DX", home + "\\.steam\\steam" + game,
        linuxSteam + game, "Z:\\mnt\\games\\SteamLibrary" + game, home + "\\.steam\\root" + game,
        home + "\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam" + game,
        home + "\\snap\\steam\\common\\.local\\share\\Steam" + game}},
      {"Wine: protontricks' game folder first",
       {{"G:"}, {}, "", "\\??\\", "", "", "", "", "/lib/DX/", ""},
       {},
       {"Z:\\lib\\DX", "G:"}},
      {"nothing found", {{"", ""}, {}, "", "", "", "", "", "", "", ""}, {}, {}},
      {"program at a drive's root", {{}, {}, "", "", "", "", "", "E:", "", ""}, {}, {"E:"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    Folders read;
    const auto readFileStart = [&](const std::string &path) {
      read.push_back(path);
      const auto file = c.files.find(path);
      return file == c.files.end() ? std::string() : file->second;
    };
    EXPECT_EQ(GameFolderCandidates(c.sources, readFileStart, InLatin1), c.expected);
    EXPECT_EQ(std::set<std::string>(read.begin(), read.end()).size(), read.size())
        << "a library list read twice";
  }
}

TEST(FirstGameFolder, TakesTheFirstThatHoldsTheConfigurationAndFitsTheField) {
  const std::string fits = "C:\\" + std::string(96, 'f');    // 99 characters
  const std::string tooLong = "C:\\" + std::string(97, 'l'); // 100 characters
  std::string cyrillic = "C:\\";                             // 99 characters, 195 bytes
  for (int i = 0; i < 96; ++i)
    cyrillic += "\xD0\x96";
  const std::string cyrillicTooLong = cyrillic + "\xD0\x96";
  const std::set<std::string> files = {
      fits + "\\System\\DeusEx.ini",     tooLong + "\\System\\DeusEx.ini",
      cyrillic + "\\System\\DeusEx.ini", cyrillicTooLong + "\\System\\DeusEx.ini",
      "D:\\Game\\System\\DeusEx.ini",    "E:\\Other\\DeusEx.ini"};
  const auto fileExists = [&files](const std::string &path) { return files.count(path) > 0; };
  const struct {
    const char *name;
    Folders candidates;
    std::string expected;
    bool utf8 = false; // the code page in which the field counts characters
  } cases[] = {
      {"99 characters fit", {fits, "D:\\Game"}, fits},
      {"100 characters do not", {tooLong, "D:\\Game"}, "D:\\Game"},
      {"no System\\DeusEx.ini", {"E:\\Other", "F:\\Missing", "D:\\Game"}, "D:\\Game"},
      {"none qualifies", {tooLong, "E:\\Other"}, ""},
      {"no candidates", {}, ""},
      {"99 UTF-8 characters fit", {cyrillic, "D:\\Game"}, cyrillic, true},
      {"100 UTF-8 characters do not", {cyrillicTooLong, "D:\\Game"}, "D:\\Game", true},
      {"99 ASCII ones in UTF-8 too", {tooLong, fits}, fits, true},
      {"a single-byte code page counts bytes", {cyrillic, "D:\\Game"}, "D:\\Game"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstGameFolder(c.candidates, fileExists, c.utf8), c.expected);
  }
}

} // namespace
