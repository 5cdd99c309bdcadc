#include "setup/config_finalise.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/line_copy.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "setup/resource.h"

namespace {

// The backup is written under another name, read back, and only then takes its own name: a file
// called DeusEx_Kes_Backup.ini is always a whole copy. It is the kit's own file, so a read-only
// attribute copied from DeusEx.ini is cleared, or no later run could replace or delete it.
ErrorCode MakeBackup(const std::string &configurationPath, const std::string &backupPath,
                     const std::string &newBackupPath) {
  platform->clearReadOnly(newBackupPath); // left by a run that stopped half-way
  ErrorCode error = CopyVerified(configurationPath, newBackupPath);
  if (error == 0)
    error = platform->clearReadOnly(newBackupPath);
  if (error == 0)
    error = platform->moveFile(newBackupPath, backupPath);
  if (error != 0)
    platform->deleteFile(newBackupPath); // what was written is no backup
  return error;
}

enum class SaveOutcome { NotOpened, Saved, Restored, NotRestored };

// Writes the temporary configuration into DeusEx.ini and reads it back. Anything short of the
// same bytes puts the configuration from before the installation back from the backup.
SaveOutcome SaveConfiguration(std::istream &temporary, const std::string &configurationPath,
                              const std::string &temporaryPath, const std::string &backupPath) {
  ExitHold hold; // an exit asked for meanwhile waits: DeusEx.ini is never left half written
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
      SameContent(configurationPath, temporaryPath))
    return SaveOutcome::Saved;
  return CopyVerified(backupPath, configurationPath) == 0 ? SaveOutcome::Restored
                                                          : SaveOutcome::NotRestored;
}

// Backs up one configuration and writes its temporary configuration into it.
void FinaliseConfiguration(const std::string &folder) {
  const std::string configurationPath = ConfigurationPath(folder);
  const std::string temporaryPath = SetupTemporaryPath(folder);
  const std::string backupPath = BackupPath(folder);

  WriteLog("\n\n---> Backing up original DeusEx.ini file ", 0);

  // A backup that is there already came from an earlier installation that was never uninstalled:
  // it holds the player's configuration from before any, and is never replaced.
  const bool keepEarlierBackup = platform->fileExists(backupPath);
  if (!keepEarlierBackup) {
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

  const auto temporary = platform->openReader(temporaryPath);
  if (!temporary) {
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    platform->showBox("Cannot open DeusEx_Kes.ini (Temporary File) File for Input.", "Error",
                      okBox | warningIcon);
    ExitProgram(-1);
  }
  WriteLog(" (OK)\n\n---> Saving changes to DeusEx.ini", 0);

  const SaveOutcome outcome =
      SaveConfiguration(*temporary, configurationPath, temporaryPath, backupPath);
  switch (outcome) {
  case SaveOutcome::Saved:
    WriteLog(" (OK)\n\n---> CHANGES TO DeusEx.ini FILE HAVE BEEN SAVED <---", 0);
    return;
  case SaveOutcome::NotOpened:
    platform->showBox("Kestrevane cannot open DeusEx.ini file, contact technical support.", "Error",
                      okBox | warningIcon);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    break;
  case SaveOutcome::Restored:
  case SaveOutcome::NotRestored:
    WriteLog(" (FAILED)\n\n---> DeusEx.ini " +
                 (outcome == SaveOutcome::Restored
                      ? "restored from " + backupPath + " (OK)"
                      : "could NOT be restored from " + backupPath + " (FAILED)") +
                 "\n\nInstaller exits.",
             0);
    platform->showBox("Kestrevane cannot write DeusEx.ini file, contact technical support.",
                      "Error", okBox | warningIcon);
    break;
  }
  ExitProgram(-1);
}

} // namespace

void FinaliseConfigurations(const std::vector<std::string> &folders) {
  WriteLog("\n\nFINALISING INSTALLATION\n=======================", 0);
  platform->setText(IDC_STATUS_HEADING, "Status: Finalising installation... ");
  platform->setText(IDC_STATUS_TEXT, "Checking Deus Ex paths.");
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (i > 0)
      WriteLog(LauncherEntry(folders[i], "changed"), 0);
    FinaliseConfiguration(folders[i]);
  }
}
