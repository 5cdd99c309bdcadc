// Every operation of a run fails in turn, in each way it can fail on a player's machine, or the
// process is cut off there; after each run, and after what the player tries next, the player's
// original DeusEx.ini must still be there.
#include "tests/unit/fake_game.h"

#include "common/game_paths.h"
#include "common/package_manifest.h"
#include "setup/config_rewrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string folder = "C:\\Games\\DeusEx";
// Shaped like the game's own, with what a text-mode read would lose or change: a Ctrl-Z byte, a
// lone CR, no line end after the last line.
const std::string original = "[URL]\r\nProtocol=deusex\r\nClass=DeusEx.JCDentonMale\r\n\r\n"
                             "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n"
                             "Note=a\x1a"
                             "b\r\nlone\rcr\r\n[Engine.GameInfo]\r\nGameSpeed=1.100000\r\nlast";

std::string Installed(const PackageEntry &entry) {
  return PackageDestinationPath(folder, entry.fileName, entry.kind);
}

FakeGame FreshGame() {
  FakeGame game;
  game.folders = {"."};
  for (const char *sub : {"\\system", "\\textures", "\\maps", "\\music", "\\sounds"})
    game.folders.push_back("c:\\games\\deusex" + std::string(sub));
  game.Write(ConfigurationPath(folder), original);
  for (const PackageEntry &entry : packageManifest)
    game.Write(PackageSourcePath(entry.fileName), std::string("package ") + entry.fileName);
  return game;
}

bool OriginalKept(const FakeGame &game) {
  return game.Read(ConfigurationPath(folder)) == original ||
         game.Read(BackupPath(folder)) == original;
}

bool IsInstalled(const FakeGame &game) {
  const auto configuration = game.Read(ConfigurationPath(folder));
  bool complete = configuration && configuration == game.Read(SetupTemporaryPath(folder)) &&
                  configuration->find(modDefaultGameLine) != std::string::npos &&
                  game.Read(BackupPath(folder)) == original;
  for (const PackageEntry &entry : packageManifest)
    complete =
        complete && game.Read(Installed(entry)) == game.Read(PackageSourcePath(entry.fileName));
  return complete;
}

bool IsRemoved(const FakeGame &game) {
  bool removed = game.Read(ConfigurationPath(folder)) == original &&
                 !game.Exists(BackupPath(folder)) && !game.Exists(SetupTemporaryPath(folder));
  for (const PackageEntry &entry : packageManifest)
    removed = removed && !game.Exists(Installed(entry));
  return removed;
}

bool ShowedBox(const FakeGame &game, const std::string &caption) {
  for (const std::string &box : game.boxes)
    if (box.rfind(caption + ": ", 0) == 0)
      return true;
  return false;
}

// The last entry of a failed run says what failed; a failed rewrite ends with its summary.
bool LogNamesFailure(const FakeGame &game) {
  if (game.log.empty())
    return false;
  for (const char *word : {"FAILED", "ERROR", "not installed", "NOT"})
    if (game.log.back().find(word) != std::string::npos)
      return true;
  const auto summary = game.log.end() - std::min<std::ptrdiff_t>(game.log.size(), 6);
  return game.log.back().find("thank you.") != std::string::npos &&
         summary->find("--NOT-- INSTALLED") != std::string::npos;
}

std::vector<FaultKind> WaysToFail(const std::string &operation) {
  using K = FaultKind;
  const std::string kind = operation.substr(0, operation.find(' '));
  if (kind == "read")
    return {K::Refused, K::ReadError, K::PowerCut};
  if (kind == "write")
    return {K::Refused, K::DiskFull, K::PowerCut};
  if (kind == "copy")
    return {K::Refused, K::DiskFull, K::EmptyButOk, K::ShortButOk, K::OldTailOk, K::PowerCut};
  if (kind == "delete")
    return {K::Refused, K::StaysButOk, K::PowerCut};
  return {K::Refused, K::PowerCut}; // move, attributes, log
}

const char *const faultNames[] = {"none",        "refused",      "disk full",
                                  "read error",  "empty but ok", "short but ok",
                                  "old tail ok", "stays but ok", "power cut"};

struct Sweep {
  int operations = 0, faults = 0, followUps = 0;
  std::vector<std::string> violations;

  void Expect(bool holds, const std::string &where, const char *what) {
    if (!holds)
      violations.push_back(where + ": " + what);
  }

  // The checks of one program run that ended with `code`.
  void CheckRun(const FakeGame &game, int code, bool setup, const std::string &where,
                bool logFaulted = false) {
    Expect(OriginalKept(game), where, "the original DeusEx.ini is lost");
    Expect(game.writesWithoutExitHeld.empty(), where, "DeusEx.ini written while an exit could cut");
    if (code == 0) {
      Expect(setup ? IsInstalled(game) : IsRemoved(game), where, "exit 0 after an incomplete run");
    } else if (code != cutOffCode && code != refusedFolder) {
      Expect(game.boxes.size() >= 2, where, "a failure without its own box");
      Expect(LogNamesFailure(game) || logFaulted, where, "the log does not end with what failed");
    }
  }

  // What a player tries next: the setup again and then the uninstaller, or the uninstaller.
  void FollowUps(const FakeGame &after, bool setup, const std::string &where) {
    if (setup) {
      FakeGame again = after;
      ++followUps;
      const int setupCode = again.RunSetup(folder);
      CheckRun(again, setupCode, true, where + ", then setup");
      // A power cut while DeusEx.ini was written leaves it part-way; the setup then finds no
      // settings to change in it, and the uninstaller puts the original back.
      const bool partlyWritten = after.Read(ConfigurationPath(folder)) != original &&
                                 !IsInstalled(after) && after.Exists(BackupPath(folder));
      Expect(setupCode == 0 || partlyWritten, where, "setup again does not complete");
      ++followUps;
      const int removalCode = again.RunUninstall(folder);
      Expect(removalCode == 0 && IsRemoved(again), where, "setup, uninstall: not the original");
    }
    FakeGame removal = after;
    ++followUps;
    const int code = removal.RunUninstall(folder);
    CheckRun(removal, code, false, where + ", then uninstall");
    // Without a backup the uninstaller refuses the folder; DeusEx.ini must be the original then
    // (after a removal that had deleted the backup and failed later, or a setup that failed
    // before it made one).
    const bool refusedRightly = code == refusedFolder && !after.Exists(BackupPath(folder)) &&
                                removal.Read(ConfigurationPath(folder)) == original;
    Expect((code == 0 && IsRemoved(removal)) || refusedRightly, where,
           "uninstall afterwards does not end with the original");
  }

  void Run(const char *name, const FakeGame &start, bool setup) {
    FakeGame clean = start;
    ASSERT_EQ(setup ? clean.RunSetup(folder) : clean.RunUninstall(folder), 0) << name;
    const std::vector<std::string> listed = clean.operations;
    operations += static_cast<int>(listed.size());
    for (int at = 0; at < static_cast<int>(listed.size()); ++at) {
      for (FaultKind kind : WaysToFail(listed[at])) {
        FakeGame game = start;
        const int code =
            setup ? game.RunSetup(folder, {at, kind}) : game.RunUninstall(folder, {at, kind});
        ++faults;
        const std::string where = std::string(name) + " #" + std::to_string(at) + " " + listed[at] +
                                  " [" + faultNames[static_cast<int>(kind)] + "]";
        if (!game.faultApplied)
          continue; // the run took another road before it got there
        CheckRun(game, code, setup, where, listed[at].rfind("log", 0) == 0);
        FollowUps(game, setup, where);
      }
    }
  }
};

FakeGame InstalledGame() {
  FakeGame game = FreshGame();
  EXPECT_EQ(game.RunSetup(folder), 0);
  return game;
}

TEST(FaultSweep, NoFailureAnywhereLosesTheOriginalConfiguration) {
  Sweep sweep;
  sweep.Run("setup", FreshGame(), true);
  sweep.Run("setup again", InstalledGame(), true);
  sweep.Run("uninstall", InstalledGame(), false);
  std::printf("fault sweep: %d operations, %d faults injected, %d follow-up runs, %zu violations\n",
              sweep.operations, sweep.faults, sweep.followUps, sweep.violations.size());
  std::map<std::string, int> kinds;
  for (const std::string &v : sweep.violations)
    ++kinds[v.substr(v.rfind(": ") + 2)];
  for (const auto &[kind, count] : kinds)
    std::printf("  %5d x %s\n", count, kind.c_str());
  for (const std::string &violation : sweep.violations)
    ADD_FAILURE() << violation;
}

TEST(FaultSweep, CleanSequencesEndWithTheOriginal) {
  FakeGame game = FreshGame();
  EXPECT_EQ(game.RunSetup(folder), 0);
  EXPECT_EQ(game.RunSetup(folder), 0);
  EXPECT_TRUE(IsInstalled(game));
  EXPECT_EQ(game.RunUninstall(folder), 0);
  EXPECT_TRUE(IsRemoved(game));
  EXPECT_TRUE(ShowedBox(game, "Uninstaller"));
  EXPECT_EQ(game.RunUninstall(folder), refusedFolder);
  EXPECT_TRUE(IsRemoved(game));
}

} // namespace
