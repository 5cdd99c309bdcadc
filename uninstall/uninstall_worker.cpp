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

// One step for the configuration files, then one per package file.
constexpr int progressSteps = 1 + packageCount;

constexpr ErrorCode fileNotFound = 2;

[[noreturn]] void ExitWithErrorBox(const std::string &boxOpening) {
  platform->showBox(boxOpening + supportWebAddress + " for Technical Support.\n", "ERROR", okBox);
  ExitProgram(-1);
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
  WriteLog("\n\n---> " + name + " NOT deleted (FAILED)", 0);
  ExitWithErrorBox(boxOpening);
}

// Copies the backup onto DeusEx.ini and reads it back. On a failure the backup holds the only
// copy of the original, so it stays, and nothing more is removed.
void RebuildConfiguration(const std::string &backupPath, const std::string &configurationPath) {
  platform->setText(IDC_STATUS_TEXT,
                    "Reconstructing original DeusEx.ini (pre Kestrevane installation)");
  if (CopyVerified(backupPath, configurationPath) == 0) {
    WriteLog("\n\n---> Reconstructed original DeusEx.ini configuration. (OK)", 0);
    return;
  }
  WriteLog("\n\n---> Could not reconstruct original DeusEx.ini configuration. (ERROR)", 0);
  WriteLog("\n\n---> DeusEx_Kes_Backup.ini NOT deleted (KEPT)\n---> The original DeusEx.ini "
           "configuration is kept in " +
               backupPath,
           0);
  ExitWithErrorBox("Uninstaller was unable to reconstruct DeusEx.ini from\nDeusEx_Kes_Backup.ini. "
                   "Please visit ");
}

} // namespace

void RunUninstallation() {
  // The worker's own copy: the page thread may end the process, destroying the global, while
  // the run is under way.
  const std::string folder = gameFolder;

  platform->setProgressRange(IDC_PROGRESS, progressSteps);
  WriteLog("\n\n\nKESTREVANE UNINSTALLATION\n=========================\n\nUninstalling: " + folder,
           1);

  const std::string configurationPath = ConfigurationPath(folder);
  const std::string temporaryPath = UninstallTemporaryPath(folder);
  const std::string backupPath = BackupPath(folder);

  platform->setText(IDC_STATUS_HEADING, "Status: Uninstalling " + folder);
  platform->setText(IDC_STATUS_TEXT, "Deleting temporary files.");
  platform->advanceProgress(IDC_PROGRESS);

  {
    // From the deletion of DeusEx.ini until it is rebuilt and read back, an exit asked for on
    // the page waits.
    ExitHold hold;
    DeleteConfigurationFile(configurationPath, "DeusEx.ini",
                            "Uninstaller was unable to delete DeusEx.ini to reconstruct\nthe "
                            "original. Please visit ");
    DeleteConfigurationFile(temporaryPath, "DeusEx_Kes.ini",
                            "Uninstaller was unable to delete DeusEx_Kes.ini\nPlease visit ");
    RebuildConfiguration(backupPath, configurationPath);
  }
  platform->clearReadOnly(backupPath); // the kit's own file, whatever attribute it was given
  DeleteConfigurationFile(backupPath, "DeusEx_Kes_Backup.ini",
                          "Uninstaller was unable to delete DeusEx_Kes_Backup.ini\nPlease "
                          "visit ");

  for (const PackageEntry &entry : packageManifest)
    RemovePackageFile(folder, entry.fileName, entry.kind);

  WriteLog("\n\n**** KESTREVANE WAS UNINSTALLED SUCCESSFULLY ****", 0);
  platform->showControl(IDC_EXIT);
  platform->showBox("Kestrevane was uninstalled successfully.", "Uninstaller", okBox | warningIcon);
  ExitProgram(0);
}
