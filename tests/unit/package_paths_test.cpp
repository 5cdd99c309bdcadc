#include "common/package_manifest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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

} // namespace
