#include "uninstall/uninstall_worker.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/support_contact.h"
#include "uninstall/package_removal.h"
#include "uninstall/resource.h"

#include <string>

namespace {

// One step for the configuration files, then one per package file: 17.
constexpr int progressSteps = 1 + packageCount;

// A configuration file that cannot be deleted ends the run: its log line, then its box.
void DeleteConfigurationFile(const std::string &path, const char *deletedLine,
                             const char *notDeletedLine, const char *boxOpening) {
  if (platform->deleteFile(path) == 0) {
    WriteLog(deletedLine, 0);
    return;
  }
  WriteLog(notDeletedLine, 0);
  const std::string boxText =
      std::string(boxOpening) + supportWebAddress + " for Technical Support.\n";
  platform->showBox(boxText, "ERROR", okBox);
  ExitProgram(-1);
}

// Copies the backup onto DeusEx.ini, overwriting whatever stands there. A failure is only
// logged: the run goes on, and the caller keeps the backup.
bool RebuildConfiguration(const std::string &backupPath, const std::string &configurationPath) {
  platform->setText(IDC_STEP_TEXT, "Reconstructing original DeusEx.ini (pre Kestrevane installation)");
  if (platform->copyFile(backupPath, configurationPath) == 0) {
    WriteLog("\n\n---> Reconstructed original DeusEx.ini configuration. (OK)", 0);
    return true;
  }
  WriteLog("\n\n---> Could not reconstruct original DeusEx.ini configuration. (ERROR)", 0);
  return false;
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
  platform->setText(IDC_STEP_TEXT, "Deleting temporary files.");
  platform->advanceProgress(IDC_PROGRESS);

  DeleteConfigurationFile(configurationPath, "\n\n---> DeusEx.ini deleted (OK)",
                          "\n\n---> DeusEx.ini NOT deleted (FAILED)",
                          "Uninstaller was unable to delete DeusEx.ini to reconstruct\nthe "
                          "original. Please visit ");
  DeleteConfigurationFile(temporaryPath, "\n\n---> DeusEx_Kes.ini deleted (OK)",
                          "\n\n---> DeusEx_Kes.ini NOT deleted (FAILED)",
                          "Uninstaller was unable to delete DeusEx_Kes.ini\nPlease visit ");

  if (RebuildConfiguration(backupPath, configurationPath)) {
    DeleteConfigurationFile(backupPath, "\n\n---> DeusEx_Kes_Backup.ini deleted (OK)",
                            "\n\n---> DeusEx_Kes_Backup.ini NOT deleted (FAILED)",
                            "Uninstaller was unable to delete DeusEx_Kes_Backup.ini\nPlease "
                            "visit ");
  } else {
    // DeusEx.ini is gone by now, so the backup holds the player's only original configuration.
    WriteLog("\n\n---> DeusEx_Kes_Backup.ini NOT deleted (KEPT)\n---> The original DeusEx.ini "
             "configuration is kept in " +
                 backupPath,
             0);
  }

  for (const PackageEntry &entry : packageManifest)
    RemovePackageFile(folder, entry.fileName, entry.kind);

  WriteLog("\n\n**** KESTREVANE WAS UNINSTALLED SUCCESSFULLY ****", 0);
  platform->showControl(IDC_EXIT);
  platform->showBox("Kestrevane was uninstalled successfully.", "Uninstaller",
                    okBox | warningIcon);
  ExitProgram(0);
}
