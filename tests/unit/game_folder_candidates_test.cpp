#include "common/game_folder_candidates.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Folders = std::vector<std::string>;

// Steam's own library lists (steam_libraries/): windows.vdf, whose games are numbered keys too;
// linux.vdf from a native Linux Steam; older.vdf in steamcmd's layout of numbered libraries.
std::string SteamLibraryFile(const char *name) {
  std::ifstream file(std::string(STEAM_LIBRARY_FILES) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A stand-in for the ANSI code page: it holds the è of one library below, and no Cyrillic.
std::string InCodePage(const std::string &utf8) {
  return utf8 == "D:\\Biblioth\xC3\xA8que" ? "D:\\Biblioth\xE8que" : std::string();
}

TEST(SteamLibraryFolders, TakesEveryLibraryOnceAndSurvivesBrokenFiles) {
  const std::string longPath = "E:\\" + std::string(5000, 'p');
  const std::string good = "\"path\" \"D:\\\\Lib\"", megabyteLine(1000 * 1000, 'x');
  std::string oneLibraryRepeated, manyLibraries;
  while (oneLibraryRepeated.size() < steamLibraryFileLimit)
    oneLibraryRepeated += good + "\n";
  Folders libraries;
  for (std::size_t i = 0; i < steamLibraryLimit + 6; ++i) {
    libraries.push_back("L:\\" + std::to_string(i));
    manyLibraries += "path " + libraries.back() + "\n";
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
      {"older layout", SteamLibraryFile("older.vdf"), {"D:\\SteamLibrary", "E:\\Games\\Steam"}},
      {"numbered keys above and below the top-level block", "1 D:\\A l { 0 { 1 D:\\B } }", {}},
      {"path as a value is no key", "\"label\" \"path\" \"D:\\\\Lib\"", {}},
      {"key case ignored", "\"Path\" \"D:\\\\Lib\"", {"D:\\Lib"}},
      {"escaped quote, lone backslash kept", "\"path\" \"C:\\\\A\\\"B\\C\"", {"C:\\A\"B\\C"}},
      {"bare words pair up", "path D:\\Bare label x " + good, {"D:\\Bare", "D:\\Lib"}},
      {"cut off in the value", "\"path\" \"C:\\\\Gam", {}},
      {"unbalanced braces", "}}}{ \"1\" \"D:\\\\Lib\" }}}", {"D:\\Lib"}},
      {"megabyte line, unclosed quote", "\"" + megabyteLine + "\n" + good, {"D:\\Lib"}},
      {"5000-character path", "\"path\" \"" + longPath + "\" " + good, {longPath, "D:\\Lib"}},
      {"NUL in a path", std::string("\"path\" \"C:\\\\A\0B\" ", 17) + good, {"D:\\Lib"}},
      {"code page holds one path, not the other",
       "\"path\" \"D:\\\\Biblioth\xC3\xA8que\" \"path\" \"E:\\\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\"",
       {"D:\\Biblioth\xE8que"}},
      {"duplicates as paths compare, a share",
       good + " \"path\" \"d:/lib/\" \"path\" \"\\\\\\\\srv\\\\Lib\"",
       {"D:\\Lib", "\\\\srv\\Lib"}},
      {"relative paths skipped", "\"path\" \"Lib\" path ..\\\\Lib path D:Lib " + good, {"D:\\Lib"}},
      {"four megabytes of one library", oneLibraryRepeated, {"D:\\Lib"}},
      {"more libraries than are read", manyLibraries,
       Folders(&libraries[0], &libraries[steamLibraryLimit])},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SteamLibraryFolders(c.text, InCodePage), c.expected);
  }
}

TEST(GameFolderCandidates, EachSourceInOrderEachFolderOnce) {
  const std::string game = "\\steamapps\\common\\Deus Ex", list = "\\steamapps\\libraryfolders.vdf";
  const std::string home = "Z:\\home\\ana", linuxSteam = home + "\\.local\\share\\Steam";
  const Folders none, gog = {"G:\\Gog\\", "H:\\Gog"}, entries = {"E:\\Steam" + game, ""};
  // GameFolderSources: GOG, Steam's entry and folder, WINEHOMEDIR, STEAM_COMPAT_INSTALL_PATH and
  // _CLIENT_INSTALL_PATH, XDG_DATA_HOME, program, STEAM_APP_PATH, WINE_HOST_XDG_DATA_HOME.
  const struct {
    const char *name;
    GameFolderSources sources;
    std::map<std::string, std::string> files;
    Folders expected;
  } cases[] = {
      {"Windows: Wine's variables unused",
       {gog, entries, "C:\\Steam", "", "/g", "/opt/steam", "/d", "E:\\Kit\\Setup", "/a", "/h"},
       {{"C:\\Steam" + list, "\"path\" \"c:\\\\steam\\\\\" \"path\" \"D:/Lib\""}},
       {"G:\\Gog", "H:\\Gog", "E:\\Steam" + game, "C:\\Steam" + game, "D:\\Lib" + game,
        "E:\\Kit\\Setup", "E:\\Kit"}},
      {"Wine: Proton's Steam, linked twice from a home without \\??\\; XDG_DATA_HOME's; the home's",
       {none, none, "C:\\Steam", home + "\\", "/g/", "/home/ana/.steam/steam", "/d", "", "", "/h"},
       {{"C:\\Steam" + list, "\"path\" \"/mnt/lib\""},
        {home + "\\.steam\\steam" + list, SteamLibraryFile("linux.vdf")},
        {linuxSteam + list, SteamLibraryFile("linux.vdf")}},
       {"C:\\Steam" + game, "\\mnt\\lib" + game, "Z:\\g", home + "\\.steam\\steam" + game,
        linuxSteam + game, "Z:\\mnt\\games\\SteamLibrary" + game, "Z:\\d\\Steam" + game,
        home + "\\.steam\\root" + game,
        home + "\\.var\\app\\com.valvesoftware.Steam\\.local\\share\\Steam" + game,
        home + "\\snap\\steam\\common\\.local\\share\\Steam" + game}},
      {"Wine: protontricks' folder first; a Windows path as is; the host's XDG, / as Z:",
       {gog, none, "", "\\??\\", "", "D:/Steam/", "", "", "/lib/DX/", "/"},
       {},
       {"Z:\\lib\\DX", "G:\\Gog", "H:\\Gog", "D:\\Steam" + game, "Z:\\Steam" + game}},
      {"Wine, program at a root", {none, none, "", "\\??\\", "", "", "", "E:", "", ""}, {}, {"E:"}},
      {"a share's root: no server as its parent",
       {none, none, "", "", "", "", "", "\\\\srv\\share", "", ""},
       {},
       {"\\\\srv\\share"}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    std::set<std::string> read;
    const auto readFileStart = [&](const std::string &path) {
      EXPECT_TRUE(read.insert(path).second) << "a library list read twice: " << path;
      return c.files.count(path) > 0 ? c.files.at(path) : std::string();
    };
    EXPECT_EQ(GameFolderCandidates(c.sources, readFileStart, InCodePage), c.expected);
  }
}

TEST(FirstGameFolder, TakesTheFirstThatHoldsTheConfigurationAndFitsTheField) {
  const std::string fits = "C:\\" + std::string(96, 'f'), tooLong = fits + "l"; // 99, 100
  std::string cyrillic = "C:\\"; // 99 characters, 195 bytes
  for (int i = 0; i < 96; ++i)
    cyrillic += "\xD0\x96";
  const std::string cyrillicTooLong = cyrillic + "\xD0\x96";
  std::set<std::string> files = {"D:\\Game\\System\\DeusEx.ini", "E:\\Other\\DeusEx.ini"};
  for (const std::string &folder : {fits, tooLong, cyrillic, cyrillicTooLong})
    files.insert(folder + "\\System\\DeusEx.ini");
  const auto exists = [&files](const std::string &path) { return files.count(path) > 0; };
  // The last argument: whether the field counts UTF-8 characters (else bytes).
  const std::pair<std::string, std::string> cases[] = {
      {FirstGameFolder({tooLong, fits}, exists, false), fits}, // 99 characters fit, 100 do not
      {FirstGameFolder({cyrillicTooLong, cyrillic}, exists, true), cyrillic},
      {FirstGameFolder({cyrillic, "D:\\Game"}, exists, false), "D:\\Game"},
      {FirstGameFolder({"E:\\Other", "D:\\Game"}, exists, false), "D:\\Game"},
      {FirstGameFolder({tooLong, "E:\\Other"}, exists, false), ""}, // none qualifies
  };
  for (const auto &[folder, expected] : cases)
    EXPECT_EQ(folder, expected);
}

} // namespace
