#include "setup/config_finalise.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/line_copy.h"
#include "common/mod_settings.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "setup/resource.h"

#include <memory>
#include <optional>
#include <vector>

namespace {

// The backup is written under another name, read back, flushed to the disk, and only then takes
// its own name: a file called DeusEx_Kes_Backup.ini is always a whole copy, after a power cut too,
// before DeusEx.ini is emptied. It is the kit's own file, so a read-only attribute copied from
// DeusEx.ini is cleared, or no later run could replace or delete it (nor flush it).
ErrorCode MakeBackup(const std::string &configurationPath, const std::string &backupPath,
                     const std::string &newBackupPath) {
  platform->clearReadOnly(newBackupPath); // left by a run that stopped half-way
  ErrorCode error = CopyVerified(configurationPath, newBackupPath);
  if (error == 0)
    error = platform->clearReadOnly(newBackupPath);
  if (error == 0)
    error = platform->flushFile(newBackupPath);
  if (error == 0)
    error = platform->moveFile(newBackupPath, backupPath);
  if (error != 0)
    platform->deleteFile(newBackupPath); // what was written is no backup
  return error;
}

enum class SaveOutcome { NotOpened, Saved, Restored, NotRestored };

// Writes the temporary configuration into DeusEx.ini, reads it back and flushes it to the disk,
// before the run can report success. Anything short of that puts what DeusEx.ini held before this
// run back from `restoreFrom`. The caller holds the exit back.
SaveOutcome SaveConfiguration(std::istream &temporary, const std::string &configurationPath,
                              const std::string &temporaryPath, const std::string &restoreFrom) {
  auto configuration = platform->openWriter(configurationPath);
  if (!configuration)
    return SaveOutcome::NotOpened;
  platform->setText(IDC_STATUS_TEXT,
                    "Making necessary changes to the DeusEx.ini configuration file.");
  platform->advanceProgress(IDC_PROGRESS);
  const LineCopyResult copy = CopyLines(temporary, *configuration);
  const bool flushed = static_cast<bool>(configuration->flush());
  configuration.reset();
  if (!copy.readFailed && !copy.writeFailed && flushed &&
      SameContent(configurationPath, temporaryPath) && platform->flushFile(configurationPath) == 0)
    return SaveOutcome::Saved;
  return CopyVerified(restoreFrom, configurationPath) == 0 ? SaveOutcome::Restored
                                                           : SaveOutcome::NotRestored;
}

// One configuration on its way: its folder, its temporary configuration, open for reading, and
// what a failed run puts back in its place: what it held before this run. That is its backup,
// or, where the backup of an earlier installation was kept, the temporary configuration, which
// names Kestrevane as the configuration did.
struct Prepared {
  std::string folder;
  std::unique_ptr<std::istream> temporary;
  std::string restoreFrom;
};

// Backs up one configuration and opens its temporary configuration.
Prepared Prepare(const std::string &folder) {
  const std::string configurationPath = ConfigurationPath(folder);
  const std::string backupPath = BackupPath(folder);

  WriteLog("\n\n---> Backing up original DeusEx.ini file ", 0);

  // A backup that is there already came from an earlier installation that was never uninstalled:
  // while DeusEx.ini still starts Kestrevane, the backup holds the player's configuration from
  // before any, and is kept. A DeusEx.ini that names the game's own classes again (an uninstall
  // or a setup that stopped, settings saved since) is newer than that backup, which it replaces.
  const std::optional<std::string> current = ReadWholeFile(configurationPath);
  const bool keepEarlierBackup =
      platform->fileExists(backupPath) && !(current && NamesOwnClasses(*current));
  if (!keepEarlierBackup) {
    platform->clearReadOnly(backupPath); // the kit's own file
    if (const ErrorCode error = MakeBackup(configurationPath, backupPath, NewBackupPath(folder))) {
      WriteLog(" (FAILED)\n\nInstaller exits.", 0);
      ShowSystemErrorBox(error, "\nThis error occurred when finalising file: \n\tDeusEx.ini");
      ExitProgram(-1);
    }
  }
  WriteLog(std::string(keepEarlierBackup
                           ? " (KEPT: the backup of an earlier installation holds the original)"
                           : " (OK)") +
               "\n\n---> Opening Temporary DeusEx_Kes.ini File",
           0);

  auto temporary = platform->openReader(SetupTemporaryPath(folder));
  if (!temporary) {
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    platform->showBox("Cannot open DeusEx_Kes.ini (Temporary File) File for Input.", "Error",
                      okBox | warningIcon);
    ExitProgram(-1);
  }
  // Its " (OK)" opens the entry that follows.
  return {folder, std::move(temporary),
          keepEarlierBackup ? SetupTemporaryPath(folder) : backupPath};
}

// The entry ahead of a save: the game folder's DeusEx.ini by its name, the launcher's by its path.
std::string SavingEntry(const Prepared &configuration, bool isGameFolder) {
  return "\n\n---> Saving changes to " +
         (isGameFolder ? std::string("DeusEx.ini") : ConfigurationPath(configuration.folder));
}

// A DeusEx.ini that cannot be opened for writing (read-only, or held by another program) ends
// the run before, or instead of, its write; the entry names which one.
[[noreturn]] void ExitOnUnwritable(const std::string &configurationPath,
                                   const std::string &rolledBack) {
  platform->showBox("Kestrevane cannot open DeusEx.ini file, contact technical support.", "Error",
                    okBox | warningIcon);
  WriteLog(" (FAILED)\n\n---> Cannot open " + configurationPath + " for writing" + rolledBack +
               "\n\nInstaller exits.",
           0);
  ExitProgram(-1);
}

// After one configuration failed, puts every other one back as it was before this run, so that
// the game starts the same way from its folder and through the launcher. The log entries say how
// it went.
std::string RollBack(const std::vector<Prepared> &configurations, const Prepared &failed) {
  std::string entries;
  for (const Prepared &other : configurations) {
    const std::string path = ConfigurationPath(other.folder);
    const std::string &source = other.restoreFrom;
    if (&other == &failed || SameContent(path, source))
      continue;
    entries += CopyVerified(source, path) == 0
                   ? "\n---> " + path + " restored from " + source + " (OK)"
                   : "\n---> " + path + " could NOT be restored from " + source + " (FAILED)";
  }
  return entries;
}

} // namespace

void FinaliseConfigurations(const std::vector<std::string> &folders) {
  WriteLog("\n\nFINALISING INSTALLATION\n=======================", 0);
  platform->setText(IDC_STATUS_HEADING, "Status: Finalising installation... ");
  platform->setText(IDC_STATUS_TEXT, "Checking Deus Ex paths.");
  std::vector<Prepared> configurations;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (i > 0)
      WriteLog(" (OK)" + LauncherEntry(folders[i], launcherChanged), 0);
    configurations.push_back(Prepare(folders[i]));
  }

  // All or nothing: none is replaced while another one cannot be, and from here on an exit
  // asked for meanwhile waits until every DeusEx.ini is written (or put back), though not
  // through a box.
  std::optional<ExitHold> hold(std::in_place);
  WriteLog(" (OK)" + SavingEntry(configurations.front(), true), 0);
  for (const Prepared &configuration : configurations) {
    const std::string path = ConfigurationPath(configuration.folder);
    if (platform->checkWritable(path) != 0) {
      hold.reset();
      ExitOnUnwritable(path, "");
    }
  }

  for (std::size_t i = 0; i < configurations.size(); ++i) {
    const Prepared &configuration = configurations[i];
    const std::string path = ConfigurationPath(configuration.folder);
    const std::string &restoreFrom = configuration.restoreFrom;
    if (i > 0)
      WriteLog(SavingEntry(configuration, false), 0);
    const SaveOutcome outcome = SaveConfiguration(
        *configuration.temporary, path, SetupTemporaryPath(configuration.folder), restoreFrom);
    switch (outcome) {
    case SaveOutcome::Saved:
      WriteLog(" (OK)\n\n---> CHANGES TO DeusEx.ini FILE HAVE BEEN SAVED <---", 0);
      continue;
    case SaveOutcome::NotOpened: {
      // The others follow the one that could not be written: back to what they held when it
      // holds what it held, as they are when it does not (it still starts Kestrevane).
      const std::string rolledBack =
          SameContent(path, restoreFrom) ? RollBack(configurations, configuration) : std::string();
      hold.reset();
      ExitOnUnwritable(path, rolledBack);
    }
    case SaveOutcome::Restored:
    case SaveOutcome::NotRestored:
      WriteLog(" (FAILED)\n\n---> DeusEx.ini " +
                   (outcome == SaveOutcome::Restored
                        ? "restored from " + restoreFrom + " (OK)"
                        : "could NOT be restored from " + restoreFrom + " (FAILED)") +
                   RollBack(configurations, configuration) + "\n\nInstaller exits.",
               0);
      hold.reset();
      platform->showBox("Kestrevane cannot write DeusEx.ini file, contact technical support.",
                        "Error", okBox | warningIcon);
      ExitProgram(-1);
    }
  }
}
