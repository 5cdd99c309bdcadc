// Any sequence of what a player does (the kit's two programs, the game saving, the launcher made
// later, edits, read-only marks, deletions), checked after every step against what the player is
// owed; the fault sweep runs the same checks over every failure of every operation of one run,
// and the uninstaller after it.
#include "tests/unit/fake_game.h"

#include "common/command_line.h"
#include "common/game_paths.h"
#include "common/mod_settings.h"
#include "common/package_manifest.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

const std::string folder = "C:\\Games\\DeusEx", documents = "C:\\Users\\Player\\Documents";
const std::string launcher = documents + "\\Deus Ex";
const std::string ownClass = "Class=DeusEx.JCDentonMale";
const std::string ownDefaultGame = "DefaultGame=DeusEx.DeusExGameInfo";
const std::string original = "[URL]\r\nProtocol=deusex\r\n" + ownClass +
                             "\r\n\r\n[Engine.Engine]\r\n" + ownDefaultGame + "\r\nNote=a\x1a" +
                             "b\r\n[Engine.GameInfo]\r\n" + "GameSpeed=1.100000\r\nlast";
// How a running game's image may be spelt: as the kit spells it, through a link, with "\.".
const std::string gameImages[] = {folder + "\\System\\DeusEx.exe", "D:\\Link\\System\\DeusEx.exe",
                                  "C:\\Games\\.\\DeusEx\\System\\DeusEx.exe"};
const std::string unreachableLauncher =
    "C:\\Users\\\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\\Documents\\Deus Ex";

enum class Act {
  Setup,
  Uninstall,
  GameSaves,    // in the configuration the game reads: the launcher's once there is one
  LauncherMade, // the community launcher copies the game folder's configuration
  // What the player does to the configuration `which`,
  PlayerEdits,
  MarkReadOnly,
  ClearReadOnly,
  BackupDeleted,
  // and to the installed package file `which` (held: open in another program).
  PackageDeleted,
  PackageHeld,
};
// During a kit run: the game or another kit program runs, or the page's exit destroys the
// program-wide folder texts while the worker still runs.
enum class During { Nothing, GameRuns, KitRuns, PageClosed };

struct Step {
  Act act = Act::Setup;
  int which = 0;
  During during = During::Nothing;
  Fault fault;
};

Step Do(Act act, int which = 0, Fault fault = {}, During during = During::Nothing) {
  return Step{act, which, during, fault};
}

int PageClosedAt(const Step &step) { return 20 + 10 * step.which; }

// A step as a line of text: the player's steps name their file.
void showValue(const Step &step, std::ostream &out) {
  const char *const texts[] = {"setup",
                               "uninstall",
                               "the game saves its configuration",
                               "the launcher is installed",
                               "the player edits a line of ",
                               "the player marks read-only: ",
                               "the player clears the read-only mark of ",
                               "the player deletes the backup of ",
                               "the player deletes ",
                               "another program holds "};
  const char *const faults[] = {"none",         "refused",      "disk full",   "read error",
                                "empty but ok", "short but ok", "old tail ok", "stays but ok",
                                "read-only",    "power cut",    "power off"};
  out << texts[static_cast<int>(step.act)];
  if (step.act >= Act::PackageDeleted)
    out << packageManifest[step.which % packageCount].fileName;
  else if (step.act >= Act::PlayerEdits)
    out << (step.which % 2 ? "the launcher's DeusEx.ini" : "the game folder's DeusEx.ini");
  if (step.fault.kind != FaultKind::None)
    out << ", operation " << step.fault.at << " " << faults[static_cast<int>(step.fault.kind)];
  const std::string during[] = {"", ", while the game runs as " + gameImages[step.which % 3],
                                ", while another kit program runs",
                                ", its page closed at operation " +
                                    std::to_string(PageClosedAt(step))};
  out << during[static_cast<int>(step.during)];
}

// Game folders as players have them: as the game made it, with another modification's files
// under packages' names, the release unpacked into System, a relative entry; a launcher folder
// the code page cannot hold, which only the sweep starts from (the generator's starts stay as
// they were, so that its fixed start finds what it found).
enum class Start { Plain, OtherMods, KitInSystem, RelativeEntry, UnreachableLauncher };

// A sequence, shown one numbered step a line.
struct Sequence {
  std::vector<Step> steps;
  Start start = Start::Plain;
};

void showValue(const Sequence &sequence, std::ostream &out) {
  const char *const starts[] = {"", "another modification's files, ", "the kit in System, ",
                                "a relative folder entry, ", "an unreachable launcher, "};
  out << starts[static_cast<int>(sequence.start)];
  for (std::size_t i = 0; i < sequence.steps.size(); ++i)
    showValue(sequence.steps[i], out << "\n  " << i + 1 << ". ");
}

// A kit run, to the end or failing at one operation in one of the ten ways (half the runs, the
// index shrinking towards the end).
rc::Gen<Step> KitRun(Act act) {
  using K = FaultKind;
  const K kinds[] = {K::Refused,   K::DiskFull,   K::ReadError, K::EmptyButOk, K::ShortButOk,
                     K::OldTailOk, K::StaysButOk, K::ReadOnly,  K::PowerCut,   K::PowerOff};
  const auto kind = rc::gen::map(rc::gen::inRange(0, 20), [kinds](int index) {
    return index < 10 ? K::None : kinds[index - 10];
  });
  const auto during = rc::gen::weightedElement<During>(
      {{9, During::Nothing}, {1, During::GameRuns}, {1, During::KitRuns}, {1, During::PageClosed}});
  return rc::gen::apply(
      [act](K kind, int at, During during, int which) {
        return Step{act, which, during, kind == K::None ? Fault{} : Fault{at, kind}};
      },
      // Half the faults fall among the last operations of a setup with a launcher, where it backs
      // the configurations up and writes them.
      kind,
      rc::gen::weightedOneOf<int>({{1, rc::gen::inRange(0, 260)}, {1, rc::gen::inRange(170, 215)}}),
      during, rc::gen::inRange(0, 3));
}

// The game saves most often; the player's marks go to the game folder's file as often as to the
// launcher's.
rc::Gen<Step> PlayerStep() {
  return rc::gen::apply(
      [](Act act, int which) {
        return Step{act, which, During::Nothing, {}};
      },
      rc::gen::element(Act::GameSaves, Act::GameSaves, Act::GameSaves, Act::LauncherMade,
                       Act::PlayerEdits, Act::MarkReadOnly, Act::ClearReadOnly, Act::ClearReadOnly,
                       Act::PackageDeleted, Act::BackupDeleted),
      rc::gen::inRange(0, packageCount));
}

rc::Gen<Sequence> Sequences() {
  const auto step = rc::gen::weightedOneOf<Step>(
      {{3, KitRun(Act::Setup)}, {3, KitRun(Act::Uninstall)}, {5, PlayerStep()}});
  return rc::gen::apply(
      [](std::vector<Step> steps, Start start) {
        return Sequence{std::move(steps), start};
      },
      rc::gen::resize(12, rc::gen::container<std::vector<Step>>(step)),
      rc::gen::weightedElement<Start>({{5, Start::Plain},
                                       {1, Start::OtherMods},
                                       {1, Start::KitInSystem},
                                       {1, Start::RelativeEntry}}));
}

// The first line that starts with `prefix`, without its line end.
std::string FirstLine(const std::string &bytes, const std::string &prefix) {
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    if (bytes.compare(start, prefix.size(), prefix) == 0)
      return bytes.substr(start, end - start - (bytes[end - 1] == '\r' ? 1 : 0));
    start = end + 1;
  }
  return std::string();
}

enum class Names { Own, Kestrevane, Neither };

Names Classes(const std::optional<std::string> &bytes) {
  const std::string classLine = FirstLine(bytes.value_or(""), "Class=");
  const std::string game = FirstLine(bytes.value_or(""), "DefaultGame=");
  if (classLine == ownClass && game == ownDefaultGame)
    return Names::Own;
  return classLine == modClassLine && game == modDefaultGameLine ? Names::Kestrevane
                                                                 : Names::Neither;
}

// Sets `key=value` in place, or adds it as the last line: Class and DefaultGame stay as they are.
std::string WithSetting(std::string bytes, const std::string &key, const std::string &value) {
  const std::size_t at = bytes.find("\n" + key + "=");
  if (at == std::string::npos)
    return bytes + "\r\n" + key + "=" + value;
  const std::size_t start = at + key.size() + 2;
  return bytes.replace(start, bytes.find('\r', start) - start, value);
}

// An invariant that does not hold is thrown by its name.
void Expect(bool holds, const char *invariant) {
  if (!holds)
    throw std::string(invariant);
}

// Whether a DeusEx.ini or a backup the kit wrote is still only in the cache.
bool Unflushed(const FakeGame &game) {
  return std::any_of(game.files.begin(), game.files.end(), [](const auto &file) {
    const std::size_t end = file.first.size() - 11;
    return file.second.unflushed &&
           (file.first.rfind("\\deusex.ini") == end || file.first.rfind("_backup.ini") == end);
  });
}

struct World {
  FakeGame game;
  std::string entry = folder; // the folder as the player gives it
  bool launcherMade = false;
  // Per configuration, the player's own that must stay whole in DeusEx.ini or its backup (none
  // for a launcher's made from Kestrevane's, or once the player threw it away).
  std::optional<std::string> owed[2] = {original, std::nullopt};
  // The game folder's other files that are the player's: an uninstall that exits 0 leaves
  // exactly these, byte for byte and read-only mark for mark.
  std::map<std::string, FakeGame::File> owedFiles;
  int changes = 0, lastCode = 0; // the exit code of the last kit run

  explicit World(Start start = Start::Plain) {
    if (start == Start::KitInSystem)
      game.kit = folder + "\\System";
    if (start == Start::RelativeEntry)
      entry = " \"..\\DeusEx\"\t";
    const bool unreachable = start == Start::UnreachableLauncher;
    game.documents = unreachable ? "" : documents;
    game.unreachableLauncher = unreachable ? unreachableLauncher : "";
    game.links["d:\\link"] = "c:\\games\\deusex";
    game.Write(ConfigurationPath(folder), original);
    game.Write(folder + "\\System\\DeusEx.exe", "the game");
    for (const PackageEntry &package : packageManifest)
      game.Write(PackageSourcePath(game.kit, package.fileName),
                 std::string("package ") + package.fileName);
    if (start == Start::OtherMods) {
      game.Write(Installed(0), "another modification's WeatherFx.u");
      game.SetReadOnly(Installed(0), true);
      game.Write(Installed(5), "another modification's texture");
    }
    for (const auto &[path, file] : game.files)
      if (path.rfind("c:\\games\\deusex\\", 0) == 0 &&
          path != FakeGame::Key(ConfigurationPath(folder)))
        owedFiles[path] = file;
    for (int which = 0; which < packageCount; ++which) // the release unpacked into System
      if (IsPackage(Installed(which)))
        owedFiles.erase(FakeGame::Key(Installed(which)));
  }

  static std::string Installed(int which) {
    const PackageEntry &package = packageManifest[which % packageCount];
    return PackageDestinationPath(folder, package.fileName, package.kind);
  }

  // Whether the file holds what a package holds: the kit's own file, not the player's.
  bool IsPackage(const std::string &path) const {
    const std::optional<std::string> bytes = game.Read(path);
    for (const PackageEntry &package : packageManifest)
      if (bytes && bytes == game.Read(PackageSourcePath(game.kit, package.fileName)))
        return true;
    return false;
  }

  // The files outside the kit's folder that an uninstall that exits 0 must leave as the player's.
  bool OnlyPlayersFilesLeft() const {
    std::map<std::string, FakeGame::File> left;
    for (const auto &[path, file] : game.files)
      if (path.rfind(".\\", 0) != 0 && path != FakeGame::Key(ConfigurationPath(folder)) &&
          path != FakeGame::Key(ConfigurationPath(launcher)))
        left[path] = file;
    return left == owedFiles;
  }

  static std::string Folder(int which) { return which % 2 == 0 ? folder : launcher; }

  std::optional<std::string> Configuration(int which) const {
    return game.Read(ConfigurationPath(Folder(which)));
  }

  bool PackagesInPlace() const {
    for (int which = 0; which < packageCount; ++which)
      if (game.Read(Installed(which)) !=
          game.Read(PackageSourcePath(game.kit, packageManifest[which].fileName)))
        return false;
    return true;
  }

  // How many configurations there are, and how many of them name Kestrevane's classes.
  static std::pair<int, int> Configurations(const FakeGame &game) {
    int there = 0, kestrevane = 0;
    for (int which : {0, 1})
      if (const auto bytes = game.Read(ConfigurationPath(Folder(which))))
        there += 1, kestrevane += Classes(bytes) == Names::Kestrevane;
    return {there, kestrevane};
  }

  // Every configuration names the player's classes or Kestrevane's, Kestrevane's only while all
  // package files are in place. A DeusEx.ini that is not there is made anew by the game.
  bool GameStarts() const {
    for (int which : {0, 1})
      if (Configuration(which) &&
          (Classes(Configuration(which)) == Names::Neither ||
           (Classes(Configuration(which)) == Names::Kestrevane && !PackagesInPlace())))
        return false;
    return true;
  }

  // The game or the player changes an ordinary line (not of a read-only file): while it names the
  // player's own classes, the changed file is what the player is owed.
  void Change(int which, const std::string &key) {
    const std::string path = ConfigurationPath(Folder(which));
    if (!game.Exists(path) || game.files[FakeGame::Key(path)].readOnly)
      return;
    game.Write(path, WithSetting(*game.Read(path), key, std::to_string(++changes)));
    if (Classes(game.Read(path)) == Names::Own)
      owed[which % 2] = game.Read(path);
  }

  void Apply(const Step &step) {
    const int which = step.which % 2;
    const std::string package = FakeGame::Key(Installed(step.which));
    switch (step.act) {
    case Act::Setup:
    case Act::Uninstall:
      return RunKit(step);
    case Act::GameSaves:
      return Change(launcherMade ? 1 : 0, "Saved");
    case Act::LauncherMade:
      if (launcherMade || !Configuration(0))
        return;
      launcherMade = true;
      game.Write(ConfigurationPath(launcher), *Configuration(0));
      if (Classes(Configuration(1)) == Names::Own)
        owed[1] = Configuration(1);
      return;
    case Act::PlayerEdits:
      return Change(which, "Edited");
    case Act::MarkReadOnly:
    case Act::ClearReadOnly:
      return game.SetReadOnly(ConfigurationPath(Folder(which)), step.act == Act::MarkReadOnly);
    case Act::PackageDeleted:
      if (owedFiles.count(package) && game.files[package] == owedFiles[package])
        owedFiles.erase(package); // the player's own file, not a package, goes
      return game.Delete(package);
    case Act::PackageHeld:
      if (game.Exists(package))
        game.files[package].held = true;
      return;
    case Act::BackupDeleted:
      game.Delete(BackupPath(Folder(which)));
      if (owed[which] && Configuration(which) != owed[which])
        owed[which].reset(); // the player threw the only copy away
      return;
    }
  }

  void RunKit(const Step &step) {
    const bool setup = step.act == Act::Setup;
    game.runningImages.clear();
    if (step.during == During::GameRuns)
      game.runningImages.push_back(gameImages[step.which % 3]);
    game.kitBusy = step.during == During::KitRuns;
    const FakeGame before = game;
    game.kitFolderGoneAt = step.during == During::PageClosed ? PageClosedAt(step) : -1;
    const bool startedBefore = GameStarts();
    const int code = lastCode = game.Run(setup, entry, step.fault);
    game.runningImages.clear();
    game.kitBusy = false;
    game.kitFolderGoneAt = -1;
    if (step.during == During::PageClosed) { // the same run without the page's exit
      FakeGame unclosed = before;
      Expect(unclosed.Run(setup, entry, step.fault) == code && game.files == unclosed.files,
             "the worker used a program-wide text after the page's exit destroyed it");
    }
    Expect(game.writesWithoutExitHeld.empty(), "a DeusEx.ini written while an exit could cut it");
    // All or nothing: a setup that ends leaves the game starting the same way from its folder and
    // through the launcher (or, from a start that was mixed, at least no worse).
    const auto [there, named] = Configurations(game);
    const auto [thereBefore, namedBefore] = Configurations(before);
    if (setup && code != cutOffCode)
      Expect(named == 0 || named == there || (namedBefore != 0 && namedBefore != thereBefore),
             "all or nothing: the setup ended with only one configuration changed");
    const bool logFaulted =
        game.faultApplied && game.operations[step.fault.at].rfind("log", 0) == 0;
    if (code != 0 && code != cutOffCode && code != refusedFolder && code != notNowExitCode)
      Expect(game.boxes.size() >= 2, "honest endings: a failure without a box of its own");
    if (step.during == During::GameRuns || step.during == During::KitRuns)
      Expect(code == notNowExitCode, "not now: a kit run went ahead while the game or the kit ran");
    if (code == notNowExitCode || (!setup && code == -1 && !game.faultApplied))
      Expect(game.files == before.files,
             "not now, or an uninstall stopped by what it checked first: the run changed files");
    // Untouched means untouched: a run that stops, and every uninstall, leave a configuration that
    // names the player's own classes as it was; only a run cut off may leave one missing.
    for (int which : {0, 1}) {
      const std::optional<std::string> was = before.Read(ConfigurationPath(Folder(which)));
      if (code != cutOffCode && (!setup || code != 0) && Classes(was) == Names::Own)
        Expect(Configuration(which) == was,
               "untouched: the run changed a configuration that names the player's own classes");
      if (code != cutOffCode && was)
        Expect(Configuration(which).has_value(), "a DeusEx.ini that was there is missing");
    }
    // A failing disk (full, lying, cut off) may leave a half-written file until the next run.
    const FaultKind kind = step.fault.kind;
    if (code == 0 || (startedBefore && (kind == FaultKind::None || kind == FaultKind::Refused ||
                                        kind == FaultKind::ReadOnly)))
      Expect(GameStarts(), "the game starts: a configuration names neither the player's classes "
                           "nor Kestrevane's, or Kestrevane's without all package files");
    if (code == 0)
      CheckHonestEnding(setup, logFaulted);
  }

  // Exit 0: the whole job done, on the disk.
  void CheckHonestEnding(bool setup, bool logFaulted) const {
    Expect(!Unflushed(game), "honest endings: exit 0 with a configuration not on the disk");
    const auto namesLauncher = [](const std::string &text) {
      return text.find("reach the launcher's folder") != std::string::npos &&
             text.find(unreachableLauncher) != std::string::npos;
    };
    if (!game.unreachableLauncher.empty() && !logFaulted)
      Expect(std::any_of(game.log.begin(), game.log.end(), namesLauncher) &&
                 std::any_of(game.boxes.begin(), game.boxes.end(), namesLauncher),
             "honest endings: no box and log entry name the launcher folder the code page lacks");
    for (int which : {0, 1}) {
      if (!Configuration(which))
        continue;
      const Names named = Classes(Configuration(which));
      Expect(named == (setup ? Names::Kestrevane : Names::Own),
             setup ? "honest endings: setup exit 0 with a configuration not naming Kestrevane"
                   : "honest endings: uninstall exit 0 left a configuration naming Kestrevane");
      Expect(!setup || game.Exists(BackupPath(Folder(which))),
             "honest endings: setup exit 0 without a backup");
    }
    Expect(!setup || PackagesInPlace(), "honest endings: setup exit 0 without all package files");
    Expect(setup || OnlyPlayersFilesLeft(),
           "honest endings: uninstall exit 0 left a kit file or changed one of the player's");
    Expect(setup || Configuration(0).has_value(),
           "honest endings: uninstall exit 0 without the game folder's DeusEx.ini");
  }

  // Nothing lost: what the player is owed is in DeusEx.ini or in its backup.
  void CheckNothingLost() const {
    for (int which : {0, 1})
      Expect(!owed[which] || Configuration(which) == owed[which] ||
                 game.Read(BackupPath(Folder(which))) == owed[which],
             "nothing lost: the player's configuration is neither in DeusEx.ini nor in its backup");
  }
};

// Applies the step and checks the invariants; a violation comes back by its name.
std::optional<std::string> Violated(World &world, const Step &step) {
  try {
    world.Apply(step);
    world.CheckNothingLost();
  } catch (const std::string &invariant) {
    return invariant;
  }
  return std::nullopt;
}

// Refused, the process or the power cut off there, and the ways of the operation's kind.
std::vector<FaultKind> WaysToFail(const std::string &operation) {
  using K = FaultKind;
  const std::map<std::string, std::vector<K>> ways = {
      {"read", {K::ReadError}},
      {"write", {K::DiskFull, K::ReadOnly}},
      {"copy", {K::DiskFull, K::EmptyButOk, K::ShortButOk, K::OldTailOk, K::ReadOnly}},
      {"delete", {K::StaysButOk, K::ReadOnly}},
      {"move", {K::ReadOnly}},
      {"check", {K::ReadOnly}}};
  const auto own = ways.find(operation.substr(0, operation.find(' ')));
  std::vector<K> kinds = {K::Refused, K::PowerCut, K::PowerOff};
  if (own != ways.end())
    kinds.insert(kinds.end(), own->second.begin(), own->second.end());
  return kinds;
}

// What the player tries next, the marks cleared and nothing held: the uninstaller, which ends the
// installation or refuses a folder without a backup (`uninstalling` one, the faulted run took the
// packages first), and, after the game saved its settings, keeps them.
std::optional<std::string> FollowUpViolated(World next, bool uninstalling) {
  for (auto &[path, file] : next.game.files)
    file.held = false;
  for (int which : {0, 1})
    next.game.SetReadOnly(ConfigurationPath(World::Folder(which)), false);
  World played = next;
  if (auto violation = Violated(next, Do(Act::Uninstall)))
    return "then uninstall: " + *violation;
  bool ended = next.lastCode == 0 || next.lastCode == refusedFolder;
  for (int which : {0, 1}) // a refused folder holds the originals too
    ended = ended && (!next.owed[which] || next.Configuration(which) == next.owed[which]);
  if (next.lastCode == refusedFolder && uninstalling)
    for (int which = 0; which < packageCount; ++which)
      ended = ended && !next.IsPackage(FakeGame::Key(World::Installed(which)));
  if (!ended)
    return "then uninstall: exit " + std::to_string(next.lastCode) +
           ", not ended with every original back";
  if (auto violation = Violated(played, Do(Act::GameSaves)))
    return "then the game saves: " + *violation;
  if (auto violation = Violated(played, Do(Act::Uninstall)))
    return "then the game saves, then uninstall: " + *violation;
  return std::nullopt;
}

// Every operation of a kit run fails in turn, in each way it can, from each start that matters.
TEST(FaultSweep, NoFailureAnywhereLosesAnOriginalConfiguration) {
  // With and without a launcher configuration, made before or after the setup, read-only; with a
  // held package; from each of the players' game folders, before and after a setup.
  std::vector<Sequence> starts = {
      {{Do(Act::LauncherMade)}},
      {{Do(Act::LauncherMade), Do(Act::Setup)}},
      {{Do(Act::Setup), Do(Act::LauncherMade)}},
      {{Do(Act::LauncherMade), Do(Act::MarkReadOnly, 1)}},
      {{Do(Act::LauncherMade), Do(Act::Setup), Do(Act::MarkReadOnly, 1)}},
      {{Do(Act::Setup), Do(Act::PackageHeld, 3)}},
  };
  for (Start start : {Start::Plain, Start::OtherMods, Start::KitInSystem, Start::RelativeEntry,
                      Start::UnreachableLauncher})
    for (const std::vector<Step> &steps : {std::vector<Step>{}, {Do(Act::Setup)}})
      starts.push_back({steps, start});
  int operations = 0, faults = 0;
  std::vector<std::string> violations;
  for (const auto &[steps, start] : starts)
    for (Act act : {Act::Setup, Act::Uninstall}) {
      World begin(start), clean;
      for (const Step &step : steps)
        ASSERT_EQ(Violated(begin, step), std::nullopt);
      ASSERT_EQ(Violated(clean = begin, Do(act)), std::nullopt);
      EXPECT_FALSE(start == Start::UnreachableLauncher && (act == Act::Setup || !steps.empty()) &&
                   clean.lastCode != 0)
          << "an unreachable launcher folder stopped the run";
      const std::vector<std::string> listed = clean.game.operations;
      operations += static_cast<int>(listed.size());
      for (int at = 0; at < static_cast<int>(listed.size()); ++at)
        for (FaultKind kind : WaysToFail(listed[at])) {
          World world = begin;
          const Step step = Do(act, 0, {at, kind});
          ++faults;
          std::optional<std::string> violation = Violated(world, step);
          if (!violation) // then what the player tries next
            violation = FollowUpViolated(world, act == Act::Uninstall &&
                                                    begin.game.Exists(BackupPath(folder)));
          if (!violation)
            continue;
          std::ostringstream where;
          showValue(Sequence{steps, start}, where);
          showValue(step, where << "\n  then ");
          violations.push_back(where.str() + " (" + listed[at] + "): " + *violation);
        }
    }
  std::cout << "fault sweep: " << operations << " operations, " << faults << " faults injected, "
            << violations.size() << " violations" << std::endl;
  for (const std::string &violation : violations)
    ADD_FAILURE() << violation;
}

// RapidCheck's RC_PARAMS in the test's environment says how many sequences, and from which start
// of the generator: a fixed one, then a new one each run (tests/unit/CMakeLists.txt).
RC_GTEST_PROP(PlayerModel, AnySequenceLeavesAStartingGameAndLosesNothing, ()) {
  const Sequence sequence = *Sequences();
  World world(sequence.start);
  for (const Step &step : sequence.steps)
    if (const std::optional<std::string> violation = Violated(world, step))
      RC_FAIL(*violation);
}

// Sequences the model once found faults with, kept as they were printed.
TEST(PlayerModel, SequencesThatFoundFaults) {
  const struct {
    const char *fault;
    std::vector<Step> steps;
  } cases[] = {
      {"launcher left naming Kestrevane",
       {Do(Act::Setup), Do(Act::LauncherMade), Do(Act::Setup), Do(Act::Uninstall)}},
      {"older copy put back over saved settings",
       {Do(Act::MarkReadOnly), Do(Act::Setup), Do(Act::ClearReadOnly), Do(Act::GameSaves),
        Do(Act::Uninstall)}},
      {"backup older than saved settings kept",
       {Do(Act::MarkReadOnly), Do(Act::Setup), Do(Act::ClearReadOnly), Do(Act::GameSaves),
        Do(Act::Setup)}},
      {"backup naming Kestrevane put back",
       {Do(Act::Setup), Do(Act::BackupDeleted), Do(Act::Setup), Do(Act::Uninstall)}},
      {"running game missed through a link", {Do(Act::Setup, 1, {}, During::GameRuns)}},
      {"the kit's folder read after the page's exit", {Do(Act::Setup, 1, {}, During::PageClosed)}},
      {"running game missed through \\.\\",
       {Do(Act::Setup), Do(Act::Uninstall, 2, {}, During::GameRuns)}},
  };
  for (const auto &c : cases) {
    World world;
    for (const Step &step : c.steps)
      EXPECT_EQ(Violated(world, step), std::nullopt) << c.fault;
  }
}

} // namespace
