#include "uninstall/launcher_repair.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string game = "[URL]\r\nClass=DeusEx.JCDentonMale\r\n[Engine.Engine]\r\n"
                         "DefaultGame=DeusEx.DeusExGameInfo\r\nGameSpeed=1.100000\r\n";

// The player model's uninstall repairs a CR LF launcher file with both values; these are the rest.
TEST(RepairLauncherConfiguration, GivesKestrevanesLinesTheGamesAndKeepsEveryOtherByte) {
  const char *kesClass = "Class=Kestrevane.K_JCDentonMale";
  const char *kesGame = "DefaultGame=Kestrevane.KestrevaneGameInfo";
  const struct {
    const char *name;
    std::string launcher, game, repaired;
    int changes;
  } cases[] = {
      {"LF, last line without a line end",
       std::string("[URL]\n") + kesClass + "\nRes=1920\n" + kesGame, game,
       "[URL]\nClass=DeusEx.JCDentonMale\nRes=1920\nDefaultGame=DeusEx.DeusExGameInfo", 2},
      {"only the first line of a setting counts",
       std::string("Class=Mine.Player\r\n") + kesGame + "\r\n" + kesClass + "\r\n", game,
       std::string("Class=Mine.Player\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n") + kesClass +
           "\r\n",
       1},
      {"the game has no Class line: the launcher's goes",
       std::string("A=1\r\n") + kesClass + "\r\nB=2\n" + kesGame + "\r\n",
       "DefaultGame=DeusEx.DeusExGameInfo\n", "A=1\r\nB=2\nDefaultGame=DeusEx.DeusExGameInfo\r\n",
       2},
      {"Kestrevane's value with more after it is not Kestrevane's", std::string(kesClass) + "X\r\n",
       game, std::string(kesClass) + "X\r\n", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const LauncherRepair repair = RepairLauncherConfiguration(c.launcher, c.game);
    EXPECT_EQ(repair.bytes, c.repaired);
    EXPECT_EQ(static_cast<int>(repair.changes.size()), c.changes);
  }
}

} // namespace
