#include "setup/config_finalise.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/line_copy.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/system_error_box.h"
#include "setup/config_rewrite.h"
#include "setup/resource.h"

namespace {

bool CarriesModificationDefaultGame(const std::string &path) {
  const auto reader = platform->openReader(path);
  std::string line;
  while (reader && ReadConfigLine(*reader, line))
    if (line == modDefaultGameLine)
      return true;
  return false;
}

// A second setup without an uninstall in between would otherwise back up a DeusEx.ini that
// already carries the modification, and the player's original would be lost for good.
bool EarlierBackupHoldsOriginal(const std::string &configPath, const std::string &backupPath) {
  return platform->openReader(backupPath) != nullptr && CarriesModificationDefaultGame(configPath);
}

[[noreturn]] void ExitOnFailedSave(const std::string &configPath, const std::string &backupPath) {
  // DeusEx.ini may be half written: the backup holds the configuration from before.
  const bool restored = platform->copyFile(backupPath, configPath) == 0;
  WriteLog(" (FAILED)\n\n---> " +
               (restored ? "DeusEx.ini restored from " + backupPath + " (OK)"
                         : "DeusEx.ini could NOT be restored from " + backupPath + " (FAILED)") +
               "\n\nInstaller exits.",
           0);
  platform->showBox("Kestrevane cannot write DeusEx.ini file, contact technical support.", "Error",
                    okBox | warningIcon);
  ExitProgram(-1);
}

} // namespace

void FinaliseConfiguration() {
  const std::string configPath = ConfigurationPath(gameFolder);
  const std::string temporaryPath = SetupTemporaryPath(gameFolder);
  const std::string backupPath = BackupPath(gameFolder);

  WriteLog("\n\nFINALISING INSTALLATION\n=======================", 0);
  platform->setText(IDC_STATUS_LABEL, "Status: Finalising installation... ");
  platform->setText(IDC_STATUS, "Checking Deus Ex paths.");
  WriteLog("\n\n---> Backing up original DeusEx.ini file ", 0);

  const bool keepEarlierBackup = EarlierBackupHoldsOriginal(configPath, backupPath);
  if (!keepEarlierBackup) {
    if (const ErrorCode error = platform->copyFile(configPath, backupPath)) {
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

  const auto temporary = platform->openReader(temporaryPath);
  if (!temporary) {
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    platform->showBox("Cannot open DeusEx_Kes.ini (Temporary File) File for Input.", "Error",
                      okBox | warningIcon);
    ExitProgram(-1);
  }
  WriteLog(" (OK)\n\n---> Saving changes to DeusEx.ini", 0);

  auto configuration = platform->openWriter(configPath);
  if (!configuration) {
    platform->showBox("Kestrevane cannot open DeusEx.ini file, contact technical support.",
                      "Error", okBox | warningIcon);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ExitProgram(-1);
  }
  platform->setText(IDC_STATUS, "Making necessary changes to the DeusEx.ini configuration file.");
  platform->advanceProgress(IDC_PROGRESS);

  const LineCopyResult copy = CopyLines(*temporary, *configuration);
  const bool closedFailed = !configuration->flush();
  configuration.reset();
  if (copy.readFailed || copy.writeFailed || closedFailed)
    ExitOnFailedSave(configPath, backupPath);
  WriteLog(" (OK)\n\n---> CHANGES TO DeusEx.ini FILE HAVE BEEN SAVED <---", 0);
}
