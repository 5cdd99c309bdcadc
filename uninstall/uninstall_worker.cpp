#include "uninstall/uninstall_worker.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/support_contact.h"
#include "common/verified_files.h"
#include "uninstall/package_removal.h"
#include "uninstall/resource.h"

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

// Deletes the configuration and the temporary one, copies the backup onto the configuration and
// reads it back. On a failure the backup holds the only copy of the original, so it stays, and
// nothing more is removed.
void RestoreConfiguration(const Configuration &files) {
  // From the deletion of DeusEx.ini until it is rebuilt and read back, an exit asked for on the
  // page waits.
  ExitHold hold;
  DeleteConfigurationFile(files.path, files.name,
                          "Uninstaller was unable to delete DeusEx.ini to reconstruct\nthe "
                          "original. Please visit ");
  DeleteTemporary(files.temporaryPath, files.temporaryName);
  platform->setText(IDC_STATUS_TEXT,
                    "Reconstructing original DeusEx.ini (pre Kestrevane installation)");
  if (CopyVerified(files.backupPath, files.path) == 0) {
    WriteLog("\n\n---> Reconstructed original " + files.name + " configuration. (OK)", 0);
    return;
  }
  WriteLog("\n\n---> Could not reconstruct original " + files.name + " configuration. (ERROR)", 0);
  ExitLogFirst("\n\n---> " + files.backupName + " NOT deleted (KEPT)\n---> The original " +
                   files.name + " configuration is kept in " + files.backupPath,
               "Uninstaller was unable to reconstruct DeusEx.ini from\nDeusEx_Kes_Backup.ini. "
               "Please visit ");
}

void DeleteBackup(const Configuration &files) {
  platform->clearReadOnly(files.backupPath); // the kit's own file, whatever attribute it was given
  DeleteConfigurationFile(files.backupPath, files.backupName,
                          "Uninstaller was unable to delete DeusEx_Kes_Backup.ini\nPlease "
                          "visit ");
}

} // namespace

void RunUninstallation() {
  // The worker's own copy: the page thread may end the process, destroying the global, while
  // the run is under way.
  const std::string folder = gameFolder;
  // The launcher's configuration is restored where the setup left a backup beside it.
  const std::string launcherFolder = LauncherFolder(folder);
  const bool withLauncher =
      !launcherFolder.empty() && platform->fileExists(BackupPath(launcherFolder));
  Configuration game = GameConfiguration(folder);
  if (withLauncher) // its deletion follows the launcher's entries, so it names its whole path
    game.backupName = game.backupPath;

  platform->setProgressRange(IDC_PROGRESS, ProgressSteps(withLauncher ? 2 : 1));
  WriteLog("\n\n\nKESTREVANE UNINSTALLATION\n=========================\n\nUninstalling: " + folder,
           1);
  platform->setText(IDC_STATUS_HEADING, "Status: Uninstalling " + folder);
  platform->setText(IDC_STATUS_TEXT, "Deleting temporary files.");
  platform->advanceProgress(IDC_PROGRESS);
  RestoreConfiguration(game);
  if (withLauncher) {
    const Configuration launcher = LauncherConfiguration(launcherFolder);
    WriteLog(LauncherEntry(launcherFolder, "restored"), 0);
    platform->advanceProgress(IDC_PROGRESS);
    RestoreConfiguration(launcher);
    DeleteBackup(launcher);
  } else if (!launcherFolder.empty() &&
             platform->fileExists(UninstallTemporaryPath(launcherFolder))) {
    // A setup that stopped before it backed the launcher's configuration up left that
    // configuration as it was, and only its own temporary file beside it.
    DeleteTemporary(UninstallTemporaryPath(launcherFolder), UninstallTemporaryPath(launcherFolder));
  }
  // The game folder's backup goes last: while it is there, the presence check lets a later run
  // finish what this one could not.
  DeleteBackup(game);

  for (const PackageEntry &entry : packageManifest)
    RemovePackageFile(folder, entry.fileName, entry.kind);

  WriteLog("\n\n**** KESTREVANE WAS UNINSTALLED SUCCESSFULLY ****", 0);
  platform->showControl(IDC_EXIT);
  platform->showBox("Kestrevane was uninstalled successfully.", "Uninstaller", okBox | warningIcon);
  ExitProgram(0);
}
