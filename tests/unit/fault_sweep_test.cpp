// Every operation of a run fails in turn, in each way it can fail on a player's machine, or the
// process or the power is cut off there; after each run, and after what the player tries next,
// the player's original DeusEx.ini must still be there.
#include "tests/unit/fake_game.h"

#include "common/game_paths.h"
#include "common/package_manifest.h"
#include "setup/config_rewrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string folder = "C:\\Games\\DeusEx";
const std::string documents = "C:\\Users\\Player\\Documents";
const std::string launcher = documents + "\\Deus Ex";
// Shaped like the game's own, with what a text-mode read would lose or change: a Ctrl-Z byte, a
// lone CR, no line end after the last line.
const std::string original = "[URL]\r\nProtocol=deusex\r\nClass=DeusEx.JCDentonMale\r\n\r\n"
                             "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n"
                             "Note=a\x1a"
                             "b\r\nlone\rcr\r\n[Engine.GameInfo]\r\nGameSpeed=1.100000\r\nlast";
const std::string launcherOriginal =
    "[URL]\r\nClass=DeusEx.JCDentonMale\r\n[Engine.Engine]\r\n"
    "DefaultGame=DeusEx.DeusExGameInfo\r\nWindowedViewportX=1920\r\n";
const std::string launcherPath = ConfigurationPath(launcher);

// The configurations of a game, each with the bytes the player had in it.
using Configurations = std::vector<std::pair<std::string, std::string>>;

std::string Installed(const PackageEntry &entry) {
  return PackageDestinationPath(folder, entry.fileName, entry.kind);
}

// The kit's folder holds the package files: the release unpacked there.
FakeGame FreshGame(const Configurations &configurations, const std::string &kit = ".") {
  FakeGame game;
  game.kit = kit;
  game.folders = {".", "c:\\users\\player\\documents\\deus ex\\system"};
  for (const char *sub : {"\\system", "\\textures", "\\maps", "\\music", "\\sounds"})
    game.folders.push_back("c:\\games\\deusex" + std::string(sub));
  game.documents = documents;
  for (const auto &[configurationFolder, bytes] : configurations)
    game.Write(ConfigurationPath(configurationFolder), bytes);
  for (const PackageEntry &entry : packageManifest)
    game.Write(PackageSourcePath(kit, entry.fileName), std::string("package ") + entry.fileName);
  return game;
}

bool OriginalsKept(const FakeGame &game, const Configurations &configurations) {
  for (const auto &[configurationFolder, bytes] : configurations)
    if (game.Read(ConfigurationPath(configurationFolder)) != bytes &&
        game.Read(BackupPath(configurationFolder)) != bytes)
      return false;
  return true;
}

bool IsInstalled(const FakeGame &game, const Configurations &configurations) {
  bool complete = true;
  for (const auto &[configurationFolder, bytes] : configurations) {
    const auto configuration = game.Read(ConfigurationPath(configurationFolder));
    complete = complete && configuration &&
               configuration == game.Read(SetupTemporaryPath(configurationFolder)) &&
               configuration->find(modDefaultGameLine) != std::string::npos &&
               game.Read(BackupPath(configurationFolder)) == bytes;
  }
  for (const PackageEntry &entry : packageManifest)
    complete = complete && game.Read(Installed(entry)) ==
                               game.Read(PackageSourcePath(game.kit, entry.fileName));
  return complete;
}

std::map<std::string, std::pair<std::string, bool>> GameFolderFiles(const FakeGame &game) {
  std::map<std::string, std::pair<std::string, bool>> files;
  for (const auto &[path, file] : game.files)
    if (path.rfind("c:\\games\\deusex\\", 0) == 0)
      files[path] = {file.bytes, file.readOnly};
  return files;
}

// The package at its destination (a file of another modification there is not one).
bool HoldsPackage(const FakeGame &game, const PackageEntry &entry) {
  return game.Exists(Installed(entry)) &&
         game.Read(Installed(entry)) == game.Read(PackageSourcePath(game.kit, entry.fileName));
}

// The game folder as it was before the setup, byte for byte and read-only mark for mark, but for
// the kit's own package files (the release unpacked into System): those are gone.
bool IsRemoved(const FakeGame &game, const Configurations &configurations, const FakeGame &fresh) {
  FakeGame expected = fresh;
  for (const PackageEntry &entry : packageManifest)
    if (HoldsPackage(fresh, entry))
      expected.files.erase(ComparablePath(Installed(entry)));
  bool removed = GameFolderFiles(game) == GameFolderFiles(expected);
  for (const auto &[configurationFolder, bytes] : configurations)
    removed = removed && game.Read(ConfigurationPath(configurationFolder)) == bytes &&
              !game.Exists(BackupPath(configurationFolder)) &&
              !game.Exists(SetupTemporaryPath(configurationFolder));
  return removed;
}

// Whether a DeusEx.ini or a backup is still only in the cache.
bool ConfigurationUnflushed(const FakeGame &game) {
  return std::any_of(game.files.begin(), game.files.end(), [](const auto &file) {
    const std::size_t end = file.first.size() - 11;
    return file.second.unflushed &&
           (file.first.rfind("\\deusex.ini") == end || file.first.rfind("_backup.ini") == end);
  });
}

// A DeusEx.ini that was made read-only is the player's to clear (the kit reports it and leaves
// it alone); the player does so before trying again. The kit's own files stay as they are.
FakeGame ClearedByThePlayer(FakeGame game, const Configurations &configurations) {
  for (const auto &[configurationFolder, bytes] : configurations)
    game.SetReadOnly(ConfigurationPath(configurationFolder), false);
  game.SetReadOnly(launcherPath, false); // one made after the setup too
  for (auto &[path, file] : game.files)
    file.held = false; // the program that held it is closed
  return game;
}

// The last entry of a failed run says what failed; a failed rewrite ends with its summary.
bool LogNamesFailure(const FakeGame &game) {
  if (game.log.empty())
    return false;
  for (const char *word : {"FAILED", "ERROR", "not installed", "NOT"})
    if (game.log.back().find(word) != std::string::npos)
      return true;
  const auto summary = game.log.end() - std::min<std::ptrdiff_t>(game.log.size(), 12);
  return game.log.back().find("thank you.") != std::string::npos &&
         std::any_of(summary, game.log.end(), [](const std::string &entry) {
           return entry.find("--NOT-- INSTALLED") != std::string::npos;
         });
}

std::vector<FaultKind> WaysToFail(const std::string &operation) {
  using K = FaultKind;
  const std::string kind = operation.substr(0, operation.find(' '));
  if (kind == "read")
    return {K::Refused, K::ReadError, K::PowerCut, K::PowerOff};
  if (kind == "write")
    return {K::Refused, K::DiskFull, K::ReadOnly, K::PowerCut, K::PowerOff};
  if (kind == "copy")
    return {K::Refused,   K::DiskFull, K::EmptyButOk, K::ShortButOk,
            K::OldTailOk, K::ReadOnly, K::PowerCut,   K::PowerOff};
  if (kind == "delete")
    return {K::Refused, K::StaysButOk, K::ReadOnly, K::PowerCut, K::PowerOff};
  if (kind == "move" || kind == "check")
    return {K::Refused, K::ReadOnly, K::PowerCut, K::PowerOff};
  return {K::Refused, K::PowerCut, K::PowerOff}; // attributes, flush, log
}

const char *const faultNames[] = {"none",         "refused",      "disk full",   "read error",
                                  "empty but ok", "short but ok", "old tail ok", "stays but ok",
                                  "read-only",    "power cut",    "power off"};

// A launcher configuration that the player made after the setup: the game's rewritten one with a
// change of their own. The uninstaller must give it the game's Class and DefaultGame lines back.
struct LateLauncher {
  std::string player, repaired;
};

// How many of the configurations start Kestrevane.
std::size_t Replaced(const FakeGame &game, const Configurations &configurations) {
  std::size_t replaced = 0;
  for (const auto &[configurationFolder, bytes] : configurations)
    replaced +=
        game.Read(ConfigurationPath(configurationFolder)).value_or("").find(modDefaultGameLine) !=
        std::string::npos;
  return replaced;
}

struct Sweep {
  Configurations configurations; // of the game being swept
  FakeGame fresh;                // the game before any setup
  std::string entry = folder;    // the folder as the player gives it
  std::optional<LateLauncher> late;
  int operations = 0, faults = 0, followUps = 0;
  std::vector<std::string> violations;

  void Expect(bool holds, const std::string &where, const char *what) {
    if (!holds)
      violations.push_back(where + ": " + what);
  }

  bool LateLauncherRepaired(const FakeGame &game) const {
    return !late || game.Read(launcherPath) == late->repaired;
  }

  // The checks of one program run that ended with `code`, from a start in which
  // `replacedBefore` configurations started Kestrevane.
  void CheckRun(const FakeGame &game, int code, bool setup, const std::string &where,
                std::size_t replacedBefore, bool logFaulted = false) {
    Expect(OriginalsKept(game, configurations), where, "an original DeusEx.ini is lost");
    Expect(game.writesWithoutExitHeld.empty(), where, "DeusEx.ini written while an exit could cut");
    Expect(!late || game.Read(launcherPath) == late->player || LateLauncherRepaired(game), where,
           "the launcher's configuration is half written or lost the player's lines");
    // All or nothing: a setup that ends leaves the game starting the same way from its folder and
    // through the launcher (after a power cut that left it otherwise, at least no worse).
    const std::size_t all = configurations.size(), replaced = Replaced(game, configurations);
    Expect(!setup || code == cutOffCode || replaced == 0 || replaced == all ||
               (replacedBefore != 0 && replacedBefore != all),
           where, "the setup ended with only one configuration changed");
    if (code == 0) {
      Expect(setup ? IsInstalled(game, configurations)
                   : IsRemoved(game, configurations, fresh) && LateLauncherRepaired(game),
             where, "exit 0 after an incomplete run");
      Expect(!ConfigurationUnflushed(game), where, "exit 0 with a configuration not on the disk");
    } else if (code != cutOffCode && code != refusedFolder) {
      Expect(game.boxes.size() >= 2, where, "a failure without its own box");
      Expect(LogNamesFailure(game) || logFaulted, where, "the log does not end with what failed");
    }
    if (game.fault.kind == FaultKind::None)
      return;
    // What the player tries next, on what the disk kept (after a power cut too): the uninstaller.
    // It refuses a game folder without a backup, which must then hold every original in place.
    // The uninstaller deletes the backup last: one that stopped before has left a later run
    // something to finish.
    FakeGame removal = ClearedByThePlayer(game, configurations);
    ++followUps;
    const int removalCode = removal.RunUninstall(entry);
    CheckRun(removal, removalCode, false, where + ", then uninstall",
             Replaced(game, configurations));
    bool originals = true;
    for (const auto &[configurationFolder, bytes] : configurations)
      originals = originals && removal.Read(ConfigurationPath(configurationFolder)) == bytes;
    const bool packagesLeft =
        !setup && std::any_of(std::begin(packageManifest), std::end(packageManifest),
                              [&](auto &package) { return HoldsPackage(game, package); });
    Expect(LateLauncherRepaired(removal) &&
               (removalCode == 0
                    ? IsRemoved(removal, configurations, fresh)
                    : removalCode == refusedFolder && !game.Exists(BackupPath(folder)) &&
                          originals && !packagesLeft),
           where, "uninstall afterwards does not end with the original");
  }

  // What a player tries next after a setup: the setup again and then the uninstaller (the
  // uninstaller alone: CheckRun).
  void FollowUps(const FakeGame &faulted, bool setup, const std::string &where) {
    const FakeGame after = ClearedByThePlayer(faulted, configurations);
    if (setup) {
      FakeGame again = after;
      ++followUps;
      const int setupCode = again.RunSetup(entry);
      CheckRun(again, setupCode, true, where + ", then setup", Replaced(after, configurations));
      // A power cut while a DeusEx.ini was written leaves it part-way; the setup then finds no
      // settings to change in it, and the uninstaller puts the original back.
      bool partlyWritten = false;
      for (const auto &[configurationFolder, bytes] : configurations)
        partlyWritten =
            partlyWritten || (after.Read(ConfigurationPath(configurationFolder)) != bytes &&
                              after.Exists(BackupPath(configurationFolder)));
      Expect(setupCode == 0 || (partlyWritten && !IsInstalled(after, configurations)), where,
             "setup again does not complete");
      ++followUps;
      const int removalCode = again.RunUninstall(entry);
      Expect(removalCode == 0 && IsRemoved(again, configurations, fresh), where,
             "setup, uninstall: not the original");
    }
    // Stopped after it gave DeusEx.ini back, the player plays: the next uninstall keeps that.
    FakeGame played = after;
    played.Write(ConfigurationPath(folder), original + "\r\nplayed");
    if (!setup && after.Read(ConfigurationPath(folder)) == original &&
        after.Exists(BackupPath(folder)))
      Expect(++followUps && played.RunUninstall(entry) == 0 &&
                 played.Read(ConfigurationPath(folder)) == original + "\r\nplayed",
             where, "a later uninstall put the backup over the player's configuration");
  }

  // Sweeps one program from one start; cleanCode is how it ends without a fault.
  void Run(const std::string &name, const FakeGame &start, bool setup, int cleanCode = 0) {
    FakeGame clean = start;
    ASSERT_EQ(setup ? clean.RunSetup(entry) : clean.RunUninstall(entry), cleanCode) << name;
    CheckRun(clean, cleanCode, setup, name, Replaced(start, configurations));
    Expect(setup || cleanCode == 0 || GameFolderFiles(clean) == GameFolderFiles(start), name,
           "a stopped uninstall changed the game folder");
    const std::vector<std::string> listed = clean.operations;
    operations += static_cast<int>(listed.size());
    for (int at = 0; at < static_cast<int>(listed.size()); ++at) {
      for (FaultKind kind : WaysToFail(listed[at])) {
        FakeGame game = start;
        const int code =
            setup ? game.RunSetup(entry, {at, kind}) : game.RunUninstall(entry, {at, kind});
        ++faults;
        const std::string where = name + " #" + std::to_string(at) + " " + listed[at] + " [" +
                                  faultNames[static_cast<int>(kind)] + "]";
        if (!game.faultApplied)
          continue; // the run took another road before it got there
        CheckRun(game, code, setup, where, Replaced(start, configurations),
                 listed[at].rfind("log", 0) == 0);
        FollowUps(game, setup, where);
      }
    }
  }

  // The setup on a fresh game, the setup on an installed one, and the uninstaller.
  void RunAll(const std::string &name, const Configurations &swept) {
    configurations = swept;
    fresh = FreshGame(swept);
    const FakeGame installed = Installed(fresh);
    Run("setup" + name, fresh, true);
    Run("setup again" + name, installed, true);
    Run("uninstall" + name, installed, false);
  }

  // A launcher configuration the player made read-only: the setup and the uninstaller fail
  // without a fault; once the player has cleared the mark, the next run completes.
  void RunReadOnlyLauncher() {
    configurations = {{folder, original}, {launcher, launcherOriginal}};
    fresh = FreshGame(configurations);
    FakeGame readOnly = fresh, installed = Installed(fresh);
    readOnly.SetReadOnly(launcherPath, true);
    installed.SetReadOnly(launcherPath, true);
    Run("setup, read-only launcher", readOnly, true, -1);
    Run("uninstall, read-only launcher", installed, false, -1);
  }

  // The uninstaller with a launcher configuration made after the setup.
  void RunLateLauncher() {
    configurations = {{folder, original}};
    fresh = FreshGame(configurations);
    FakeGame installed = Installed(fresh);
    std::string player = *installed.Read(ConfigurationPath(folder));
    player.replace(player.find("Note=a"), 6, "Note=player's own");
    std::string repaired = player;
    repaired.replace(repaired.find(modClassLine), std::string(modClassLine).size(),
                     "Class=DeusEx.JCDentonMale");
    repaired.replace(repaired.find(modDefaultGameLine), std::string(modDefaultGameLine).size(),
                     "DefaultGame=DeusEx.DeusExGameInfo");
    installed.Write(launcherPath, player);
    late = LateLauncher{player, repaired};
    Run("uninstall, launcher made after the setup", installed, false);
    late.reset();
  }

  // Game folders as players have them: other modifications' files under packages' names, the
  // release unpacked into System, a relative folder in quotes; a package another program holds.
  void RunPlayersFolders() {
    configurations = {{folder, original}};
    fresh = FreshGame(configurations);
    FakeGame held = Installed(fresh), foreign = fresh;
    held.files[ComparablePath(::Installed(packageManifest[3]))].held = true;
    Run("uninstall, package held", held, false, -1);
    const std::string weatherFx = ::Installed(packageManifest[0]);
    foreign.Write(weatherFx, "another modification's WeatherFx.u");
    foreign.SetReadOnly(weatherFx, true);
    foreign.Write(::Installed(packageManifest[5]), "another modification's texture");
    const std::tuple<const char *, FakeGame, std::string> rows[] = {
        {", another modification's files", foreign, folder},
        {", kit in System", FreshGame(configurations, folder + "\\System"), folder},
        {", relative folder", fresh, " \"..\\DeusEx\"\t"}};
    for (const auto &[name, start, given] : rows) {
      fresh = start;
      entry = given;
      Run(std::string("setup") + name, fresh, true);
      Run(std::string("uninstall") + name, Installed(fresh), false);
    }
  }

  static FakeGame Installed(FakeGame installed) {
    EXPECT_EQ(installed.RunSetup(folder), 0);
    return installed;
  }
};

TEST(UnreachableLauncher, EachProgramNamesItInABoxAndTheLogAndServesTheGame) {
  const std::string unreachable = "C:\\Users\\\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\\Documents\\Deus Ex";
  const FakeGame fresh = FreshGame({{folder, original}});
  FakeGame game = fresh;
  game.documents.clear();
  game.unreachableLauncher = unreachable;
  for (const bool setup : {true, false}) {
    game.log.clear();
    EXPECT_EQ(setup ? game.RunSetup(folder) : game.RunUninstall(folder), 0) << setup;
    EXPECT_TRUE(setup ? IsInstalled(game, {{folder, original}})
                      : IsRemoved(game, {{folder, original}}, fresh));
    const auto names = [&](const std::string &text) {
      return text.find("reach the launcher's folder " + unreachable) != std::string::npos ||
             text.find("reach the launcher's folder\n" + unreachable) != std::string::npos;
    };
    EXPECT_TRUE(std::any_of(game.log.begin(), game.log.end(), names)) << setup;
    EXPECT_TRUE(std::any_of(game.boxes.begin(), game.boxes.end(), names)) << setup;
  }
}

TEST(FaultSweep, NoFailureAnywhereLosesAnOriginalConfiguration) {
  Sweep sweep;
  sweep.RunAll("", {{folder, original}});
  sweep.RunAll(", launcher", {{folder, original}, {launcher, launcherOriginal}});
  sweep.RunReadOnlyLauncher();
  sweep.RunLateLauncher();
  sweep.RunPlayersFolders();
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

} // namespace
