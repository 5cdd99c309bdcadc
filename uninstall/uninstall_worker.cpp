#include "uninstall/uninstall_worker.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/support_contact.h"
#include "uninstall/package_removal.h"
#include "uninstall/resource.h"

#include <string>

namespace {

// One step for the configuration files, then one per package file: 17.
constexpr int progressSteps = 1 + std::tuple_size_v<decltype(packageManifest)>;

// A configuration file that cannot be deleted ends the run: its log line, then its box.
void DeleteConfigurationFile(const std::string &path, const char *deletedLine,
                             const char *notDeletedLine, const char *boxOpening) {
  if (DeleteFileA(path.c_str())) {
    WriteLog(deletedLine, 0);
    return;
  }
  WriteLog(notDeletedLine, 0);
  const std::string boxText =
      std::string(boxOpening) + supportWebAddress + " for Technical Support.\n";
  MessageBoxA(nullptr, boxText.c_str(), "ERROR", MB_OK);
  ExitProgram(-1);
}

// Copies the backup onto DeusEx.ini, overwriting whatever stands there. A failure is only
// logged: the run goes on, and the caller keeps the backup.
bool RebuildConfiguration(const std::string &backupPath, const std::string &configurationPath) {
  SetPageText(IDC_STEP_TEXT, "Reconstructing original DeusEx.ini (pre Kestrevane installation)");
  if (CopyFileA(backupPath.c_str(), configurationPath.c_str(), FALSE)) {
    WriteLog("\n\n---> Reconstructed original DeusEx.ini configuration. (OK)", 0);
    return true;
  }
  WriteLog("\n\n---> Could not reconstruct original DeusEx.ini configuration. (ERROR)", 0);
  return false;
}

[[noreturn]] void RunUninstall() {
  // The worker's own copy: the page thread may end the process, destroying the global, while
  // the run is under way.
  const std::string folder = gameFolder;

  SetProgressRange(IDC_PROGRESS, progressSteps);
  WriteLog("\n\n\nKESTREVANE UNINSTALLATION\n=========================\n\nUninstalling: " + folder,
           1);

  const std::string configurationPath = ConfigurationPath(folder);
  const std::string temporaryPath = UninstallTemporaryPath(folder);
  const std::string backupPath = BackupPath(folder);

  SetPageText(IDC_STATUS_HEADING, "Status: Uninstalling " + folder);
  SetPageText(IDC_STEP_TEXT, "Deleting temporary files.");
  AdvanceProgress(IDC_PROGRESS);

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
  ShowPageControl(IDC_EXIT);
  MessageBoxA(nullptr, "Kestrevane was uninstalled successfully.", "Uninstaller",
              MB_OK | MB_ICONWARNING);
  ExitProgram(0);
}

} // namespace

DWORD WINAPI UninstallWorker(LPVOID) {
  try {
    RunUninstall();
  } catch (...) {
    // Nothing may unwind out of the thread; a failure to build a text is as fatal as any other.
    ExitProgram(-1);
  }
}
