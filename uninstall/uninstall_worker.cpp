#include "uninstall/uninstall_worker.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/mod_settings.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/support_contact.h"
#include "common/verified_files.h"
#include "uninstall/launcher_repair.h"
#include "uninstall/package_removal.h"
#include "uninstall/resource.h"

#include <optional>
#include <string>

namespace {

// One step for each configuration's files, then one per package file.
int ProgressSteps(int configurations) { return configurations + packageCount; }

constexpr ErrorCode fileNotFound = 2;

// The log entry first, then the box: the log says what failed even if the box is never answered.
[[noreturn]] void ExitLogFirst(const std::string &logEntry, const std::string &boxOpening) {
  WriteLog(logEntry, 0);
  platform->showBox(boxOpening + supportWebAddress + " for Technical Support.\n", "ERROR", okBox);
  ExitProgram(-1);
}

// The files of one configuration and the names the log gives them: the game folder's by their
// bare names, the launcher's by their whole paths.
struct Configuration {
  std::string path, temporaryPath, backupPath;
  std::string name, temporaryName, backupName;
};

Configuration GameConfiguration(const std::string &folder) {
  return {ConfigurationPath(folder), UninstallTemporaryPath(folder),
          BackupPath(folder),        "DeusEx.ini",
          "DeusEx_Kes.ini",          "DeusEx_Kes_Backup.ini"};
}

Configuration LauncherConfiguration(const std::string &folder) {
  const Configuration files = GameConfiguration(folder);
  return {files.path, files.temporaryPath, files.backupPath,
          files.path, files.temporaryPath, files.backupPath};
}

// A configuration file that cannot be deleted ends the run: its log line, then its box. One that
// is not there counts as deleted, so that a run that stopped half-way can be finished.
void DeleteConfigurationFile(const std::string &path, const std::string &name,
                             const std::string &boxOpening) {
  const ErrorCode error = DeleteConfirmed(path);
  if (error == 0 || error == fileNotFound) {
    WriteLog("\n\n---> " + name + (error == 0 ? " deleted (OK)" : " already deleted (OK)"), 0);
    return;
  }
  ExitLogFirst("\n\n---> " + name + " NOT deleted (FAILED)", boxOpening);
}

// The setup's temporary configuration, the kit's own file whatever attribute it was given.
void DeleteTemporary(const std::string &path, const std::string &name) {
  platform->clearReadOnly(path);
  DeleteConfigurationFile(path, name,
                          "Uninstaller was unable to delete DeusEx_Kes.ini\nPlease visit ");
}

// Gives the first Class and DefaultGame lines of `path` that hold Kestrevane's values the lines of
// `reference`, through a temporary file that is read back and then takes the configuration's
// place. Returns the system's error, or 0.
ErrorCode RepairClasses(const std::string &path, const std::string &temporaryPath,
                        const std::string &bytes, const std::string &reference) {
  const LauncherRepair repair = RepairLauncherConfiguration(bytes, reference);
  for (const RepairedLine &change : repair.changes)
    WriteLog(change.removed
                 ? std::string("\n\n---> Removed ") + change.setting +
                       " line, which the game's configuration does not have\n---> " + change.before
                 : ChangedLineEntry(change.setting, change.before, change.after),
             0);
  ExitHold hold; // the configuration is replaced whole or not at all
  return ReplaceVerified(path, temporaryPath, repair.bytes);
}

constexpr const char *cannotReconstruct =
    "Uninstaller was unable to reconstruct DeusEx.ini from\nDeusEx_Kes_Backup.ini. Please visit ";

// The game's own lines, for a game folder's configuration whose backup holds Kestrevane's: the
// backup was made after the player's own had gone (the player deleted the first backup).
const std::string gameOwnLines = std::string(gameClassLine) + "\r\n" + gameDefaultGameLine + "\r\n";

// Deletes the temporary configuration, then puts the backup's bytes in the configuration's place
// through that temporary file, read back and flushed before it takes the place: DeusEx.ini holds
// either what it held or the original, and is never missing. On a failure the backup holds the
// only copy of the original, so it stays, and nothing more is removed. A configuration that names
// the game's own classes was never changed by the setup, or has been put back since: it is newer
// than the backup and stays. A backup that names Kestrevane's (made of a configuration the setup
// had already changed) gets the Class and DefaultGame lines of `reference`.
void RestoreConfiguration(const Configuration &files, const std::string &reference) {
  DeleteTemporary(files.temporaryPath, files.temporaryName);
  const std::optional<std::string> current = ReadWholeFile(files.path);
  if (current && NamesOwnClasses(*current)) {
    // A run that stopped may have left it before its data reached the disk: it is flushed like
    // one written now, before the backup may go.
    if (platform->flushFile(files.path) != 0)
      ExitLogFirst("\n\n---> " + files.name + " NOT flushed to the disk (FAILED)\n---> " +
                       files.backupName + " NOT deleted (KEPT)",
                   cannotReconstruct);
    WriteLog("\n\n---> " + files.name +
                 " names the game's own classes: it is newer than the backup and is kept (OK)",
             0);
    return;
  }
  platform->setText(IDC_STATUS_TEXT,
                    "Reconstructing original DeusEx.ini (pre Kestrevane installation)");
  const std::optional<std::string> original = ReadWholeFile(files.backupPath);
  ErrorCode error = notDoneAsReported;
  if (original) {
    ExitHold hold; // the configuration is replaced whole or not at all
    error = ReplaceVerified(files.path, files.temporaryPath, *original);
  }
  if (error == 0) {
    WriteLog("\n\n---> Reconstructed original " + files.name + " configuration. (OK)", 0);
    if (NamesKestrevane(*original))
      error = RepairClasses(files.path, files.temporaryPath, *original, reference);
    if (error == 0)
      return;
  }
  WriteLog("\n\n---> Could not reconstruct original " + files.name + " configuration. (ERROR)", 0);
  ExitLogFirst("\n\n---> " + files.backupName + " NOT deleted (KEPT)\n---> The original " +
                   files.name + " configuration is kept in " + files.backupPath,
               cannotReconstruct);
}

void DeleteBackup(const Configuration &files) {
  platform->clearReadOnly(files.backupPath); // the kit's own file, whatever attribute it was given
  DeleteConfigurationFile(files.backupPath, files.backupName,
                          "Uninstaller was unable to delete DeusEx_Kes_Backup.ini\nPlease "
                          "visit ");
}

// What the run does with the launcher's configuration in Documents.
enum class LauncherWork {
  None,       // there is none, or the setup never changed it and nothing else put Kestrevane in it
  Restore,    // the setup changed it and left a backup beside it
  Repair,     // made after the setup, it holds Kestrevane's settings and has no backup
  Unreadable, // it is there but cannot be read: it may hold Kestrevane's settings
};

struct Launcher {
  std::string folder;
  LauncherWork work = LauncherWork::None;
  std::string bytes; // the configuration as found, for a repair
};

// Looks at the launcher's configuration before anything is touched.
Launcher ExamineLauncher(const std::string &gameFolder) {
  Launcher launcher{LauncherFolder(gameFolder), LauncherWork::None, std::string()};
  if (launcher.folder.empty())
    return launcher;
  if (platform->fileExists(BackupPath(launcher.folder))) {
    launcher.work = LauncherWork::Restore;
    return launcher;
  }
  const std::string path = ConfigurationPath(launcher.folder);
  if (!platform->fileExists(path))
    return launcher;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes)
    launcher.work = LauncherWork::Unreadable;
  else if (!RepairLauncherConfiguration(*bytes, "").changes.empty()) { // holds Kestrevane's values
    launcher.work = LauncherWork::Repair;
    launcher.bytes = *bytes;
  }
  return launcher;
}

// Every file the run will delete or replace must allow it before the first one is deleted: one
// that is read-only or held would otherwise stop the run half-way. One not there counts as
// deleted. A configuration is the player's, so its read-only mark stops the run; the kit's own
// files lose theirs first.
void CheckDeletable(const std::string &path, const std::string &boxOpening) {
  const ErrorCode error = platform->checkDeletable(path);
  if (error == 0 || error == fileNotFound)
    return;
  ExitLogFirst("\n\n---> " + path +
                   " cannot be deleted (FAILED)\n---> It is read-only or in use; nothing has "
                   "been deleted.",
               boxOpening);
}

void CheckConfigurationDeletable(const std::string &path) {
  CheckDeletable(path, "Uninstaller was unable to delete DeusEx.ini to reconstruct\nthe "
                       "original. Please visit ");
}

void CheckKitFileDeletable(const std::string &path, const std::string &name) {
  platform->clearReadOnly(path);
  CheckDeletable(path, "Uninstaller was unable to delete " + name +
                           "\nNothing has been removed. Please visit ");
}

// Gives the launcher's Class and DefaultGame lines the values of the game configuration as just
// restored.
void RepairLauncher(const Launcher &launcher, const std::string &gameFolder) {
  const std::string path = ConfigurationPath(launcher.folder);
  const std::optional<std::string> game = ReadWholeFile(ConfigurationPath(gameFolder));
  const ErrorCode error =
      game ? RepairClasses(path, UninstallTemporaryPath(launcher.folder), launcher.bytes, *game)
           : notDoneAsReported;
  if (error != 0)
    ExitLogFirst("\n\n---> " + path + " NOT repaired (FAILED)",
                 "Uninstaller was unable to repair the launcher's DeusEx.ini\nPlease visit ");
  WriteLog("\n\n---> " + path + " repaired (OK)", 0);
}

} // namespace

void RunUninstallation() {
  // The worker's own copy: the page thread may end the process, destroying the global, while
  // the run is under way.
  const std::string folder = gameFolder;
  const Launcher launcher = ExamineLauncher(folder);
  Configuration game = GameConfiguration(folder);
  if (launcher.work != LauncherWork::None) // its deletion follows the launcher's entries, so it
    game.backupName = game.backupPath;     // names its whole path

  platform->setProgressRange(IDC_PROGRESS,
                             ProgressSteps(launcher.work == LauncherWork::None ? 1 : 2));
  WriteLog("\n\n\nKESTREVANE UNINSTALLATION\n=========================\n\nUninstalling: " + folder,
           1);
  platform->setText(IDC_STATUS_HEADING, "Status: Uninstalling " + folder);
  platform->setText(IDC_STATUS_TEXT, "Deleting temporary files.");
  platform->advanceProgress(IDC_PROGRESS);
  ReportUnreachableLauncher();
  if (launcher.work == LauncherWork::Unreadable) // stop before anything is deleted
    ExitLogFirst("\n\n---> Cannot read " + ConfigurationPath(launcher.folder) + " (FAILED)",
                 "Uninstaller was unable to read the launcher's DeusEx.ini\nPlease visit ");
  CheckKitFileDeletable(game.temporaryPath, game.temporaryName);
  // Replaced, or kept and flushed, which also needs it writable.
  CheckConfigurationDeletable(game.path);
  const Configuration launcherFiles = LauncherConfiguration(launcher.folder);
  if (launcher.work != LauncherWork::None) {
    CheckConfigurationDeletable(launcherFiles.path);
    CheckKitFileDeletable(launcherFiles.temporaryPath, launcherFiles.temporaryName);
  }
  for (const PackageEntry &entry : packageManifest)
    CheckKitFileDeletable(PackageDestinationPath(folder, entry.fileName, entry.kind),
                          entry.fileName);
  if (launcher.work == LauncherWork::Restore)
    CheckKitFileDeletable(launcherFiles.backupPath, launcherFiles.backupName);
  CheckKitFileDeletable(game.backupPath, "DeusEx_Kes_Backup.ini");

  RestoreConfiguration(game, gameOwnLines);
  switch (launcher.work) {
  case LauncherWork::Restore:
    WriteLog(LauncherEntry(launcher.folder, launcherRestored), 0);
    platform->advanceProgress(IDC_PROGRESS);
    RestoreConfiguration(launcherFiles,
                         ReadWholeFile(ConfigurationPath(folder)).value_or(gameOwnLines));
    DeleteBackup(launcherFiles);
    break;
  case LauncherWork::Repair:
    WriteLog(LauncherEntry(launcher.folder, launcherRepaired), 0);
    platform->advanceProgress(IDC_PROGRESS);
    RepairLauncher(launcher, folder);
    break;
  case LauncherWork::Unreadable: // not reached: the run stopped above
  case LauncherWork::None:
    // A setup that stopped before it backed the launcher's configuration up left that
    // configuration as it was, and only its own temporary file beside it.
    if (!launcher.folder.empty() && platform->fileExists(launcherFiles.temporaryPath))
      DeleteTemporary(launcherFiles.temporaryPath, launcherFiles.temporaryName);
    break;
  }
  // A setup that stopped while it backed the launcher's configuration up left the copy under
  // its new name: it is never the only copy of anything.
  if (!launcher.folder.empty() && platform->fileExists(NewBackupPath(launcher.folder)))
    DeleteTemporary(NewBackupPath(launcher.folder), NewBackupPath(launcher.folder));

  for (const PackageEntry &entry : packageManifest)
    RemovePackageFile(folder, entry.fileName, entry.kind);
  // The game folder's backup goes last: while it is there, the presence check lets a later run
  // finish what this one could not.
  DeleteBackup(game);
  // Only now: until the backup is gone, a later run tells by them which files are the player's.
  for (const PackageEntry &entry : packageManifest)
    DeleteKeptFile(folder, entry.fileName, entry.kind);

  WriteLog("\n\n**** KESTREVANE WAS UNINSTALLED SUCCESSFULLY ****", 0);
  platform->showControl(IDC_EXIT);
  platform->showBox("Kestrevane was uninstalled successfully.", "Uninstaller", okBox | warningIcon);
  ExitProgram(0);
}
