#include "setup/config_finalise.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/line_copy.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/system_error_box.h"
#include "setup/config_rewrite.h"
#include "setup/resource.h"

#include <windows.h>

#include <fstream>

namespace {

// A second setup without an uninstall in between would otherwise back up a DeusEx.ini that
// already carries the modification, and the player's original would be lost for good.
bool EarlierBackupHoldsOriginal(const std::string &configPath, const std::string &backupPath) {
  if (!std::ifstream(backupPath))
    return false;
  std::ifstream configuration(configPath);
  return configuration && CarriesModificationDefaultGame(configuration);
}

[[noreturn]] void ExitOnFailedSave(const std::string &configPath, const std::string &backupPath) {
  // DeusEx.ini may be half written: the backup holds the configuration from before.
  const bool restored = CopyFileA(backupPath.c_str(), configPath.c_str(), FALSE) != 0;
  WriteLog(" (FAILED)\n\n---> " +
               (restored ? "DeusEx.ini restored from " + backupPath + " (OK)"
                         : "DeusEx.ini could NOT be restored from " + backupPath + " (FAILED)") +
               "\n\nInstaller exits.",
           0);
  MessageBoxA(nullptr, "Kestrevane cannot write DeusEx.ini file, contact technical support.",
              "Error", MB_OK | MB_ICONWARNING);
  ExitProgram(-1);
}

} // namespace

void FinaliseConfiguration() {
  const std::string configPath = ConfigurationPath(gameFolder);
  const std::string temporaryPath = SetupTemporaryPath(gameFolder);
  const std::string backupPath = BackupPath(gameFolder);

  WriteLog("\n\nFINALISING INSTALLATION\n=======================", 0);
  SetPageText(IDC_STATUS_LABEL, "Status: Finalising installation... ");
  SetPageText(IDC_STATUS, "Checking Deus Ex paths.");
  WriteLog("\n\n---> Backing up original DeusEx.ini file ", 0);

  const bool keepEarlierBackup = EarlierBackupHoldsOriginal(configPath, backupPath);
  if (!keepEarlierBackup && !CopyFileA(configPath.c_str(), backupPath.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ShowSystemErrorBox(error, "\nThis error occurred when finalising file: \n\tDeusEx.ini");
    ExitProgram(-1);
  }
  WriteLog(std::string(keepEarlierBackup
                           ? " (KEPT: the backup of an earlier installation holds the original)"
                           : " (OK)") +
               "\n\n---> Opening Temporary DeusEx_Kes.ini File",
           0);

  std::ifstream temporary(temporaryPath);
  if (!temporary) {
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    MessageBoxA(nullptr, "Cannot open DeusEx_Kes.ini (Temporary File) File for Input.", "Error",
                MB_OK | MB_ICONWARNING);
    ExitProgram(-1);
  }
  WriteLog(" (OK)\n\n---> Saving changes to DeusEx.ini", 0);

  std::ofstream configuration(configPath);
  if (!configuration) {
    MessageBoxA(nullptr, "Kestrevane cannot open DeusEx.ini file, contact technical support.",
                "Error", MB_OK | MB_ICONWARNING);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ExitProgram(-1);
  }
  SetPageText(IDC_STATUS, "Making necessary changes to the DeusEx.ini configuration file.");
  AdvanceProgress(IDC_PROGRESS);

  const LineCopyResult copy = CopyLines(temporary, configuration);
  temporary.close();
  configuration.close();
  if (copy.readFailed || copy.writeFailed || configuration.fail())
    ExitOnFailedSave(configPath, backupPath);
  WriteLog(" (OK)\n\n---> CHANGES TO DeusEx.ini FILE HAVE BEEN SAVED <---", 0);
}
