#include "common/game_paths.h"
#include "common/package_manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PackageManifest, ListsTheSixteenFilesInOrderWithTheirKinds) {
  const PackageEntry expected[] = {
      {"WeatherFx.u", 3},
      {"QuarryStrings.u", 3},
      {"QuarryVoiceMission20.u", 3},
      {"Quarry.u", 3},
      {"Kestrevane.u", 3},
      {"WeatherFx.utx", 1},
      {"QuarryWorks.utx", 1},
      {"Quarry.utx", 1},
      {"20_Hidden_Annex.dx", 2},
      {"20_Kestrevane_Opening.dx", 2},
      {"20_NW_Quarry_Shafts_2.dx", 2},
      {"20_NW_Quarry_Exit.dx", 2},
      {"Prelude_Score.umx", 4},
      {"DeepShaftSample.umx", 4},
      {"KestrevaneEndingScore.umx", 4},
      {"VeyrholtEffects.uax", 5},
  };
  ASSERT_EQ(packageManifest.size(), std::size(expected));
  for (std::size_t i = 0; i < packageManifest.size(); ++i) {
    EXPECT_STREQ(packageManifest[i].fileName, expected[i].fileName) << i;
    EXPECT_EQ(packageManifest[i].kind, expected[i].kind) << i;
  }
}

TEST(PackageManifest, KindFolderTextAndDestinations) {
  const struct {
    int kind;
    const char *folderText; // nullptr: no such kind
  } cases[] = {
      {1, "\\Textures\\"}, {2, "\\Maps\\"}, {3, "\\System\\"}, {4, "\\Music\\"},
      {5, "\\Sounds\\"},   {0, nullptr},    {6, nullptr},      {-1, nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.kind);
    const char *text = KindFolderText(c.kind);
    if (c.folderText == nullptr) {
      EXPECT_EQ(text, nullptr);
      EXPECT_EQ(PackageDestinationPath("C:\\DeusEx", "Quarry.u", c.kind), "");
    } else {
      EXPECT_STREQ(text, c.folderText);
      EXPECT_EQ(PackageDestinationPath("C:\\DeusEx", "Quarry.u", c.kind),
                std::string("C:\\DeusEx") + c.folderText + "Quarry.u");
    }
  }
}

TEST(PackageManifest, PathsAreJoinedWithoutTouchingSeparators) {
  EXPECT_EQ(PackageDestinationPath("C:\\Games\\DeusEx", "WeatherFx.u", System),
            "C:\\Games\\DeusEx\\System\\WeatherFx.u");
  EXPECT_EQ(PackageDestinationPath("C:\\Games\\DeusEx\\", "Quarry.utx", Textures),
            "C:\\Games\\DeusEx\\\\Textures\\Quarry.utx");
  EXPECT_EQ(PackageSourcePath("VeyrholtEffects.uax"), ".\\VeyrholtEffects.uax");
}

TEST(GamePaths, EachIsTheFolderAndAFixedText) {
  const std::string folder = "D:\\Deus Ex\\";
  EXPECT_EQ(ConfigurationPath(folder), "D:\\Deus Ex\\\\System\\DeusEx.ini");
  EXPECT_EQ(SetupTemporaryPath(folder), "D:\\Deus Ex\\\\System\\DeusEx_kes.ini");
  EXPECT_EQ(UninstallTemporaryPath(folder), "D:\\Deus Ex\\\\System\\DeusEx_Kes.ini");
  EXPECT_EQ(BackupPath(folder), "D:\\Deus Ex\\\\System\\DeusEx_Kes_Backup.ini");
}

} // namespace
