#include "setup/install_worker.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/support_contact.h"
#include "setup/config_finalise.h"
#include "setup/config_rewrite.h"
#include "setup/package_copy.h"
#include "setup/resource.h"

#include <vector>

namespace {

// One step for the folder check, then for each configuration one for its rewrite, two of the
// rewrite itself (the Class and DefaultGame lines) and one of its finalisation, and one for each
// package copy.
int ProgressSteps(int configurations) { return 1 + 4 * configurations + packageCount; }

// The box first, then the log entry: what the user reads is up before the log says it.
[[noreturn]] void ExitBoxFirst(const char *boxText, const std::string &logEntry) {
  platform->showBox(boxText, "Error", okBox | warningIcon);
  WriteLog(logEntry, 0);
  ExitProgram(-1);
}

// The closing text of the log; the failed run puts "thank you." on the same line.
std::string ClosingText(bool succeeded) {
  return std::string("\n\nIf you require further assistance, please contact ") + makerName +
         "\nat " + supportWebAddress + " or email: " + supportEmailAddress +
         "\nPLEASE INCLUDE this logfile whenever emailing for tech support," +
         (succeeded ? "\n" : " ") + "thank you.\n\n" + std::string(50, '-') + "\n";
}

std::string SummaryLine(const char *setting, const char *tabs, bool set,
                        const char *failedRemark = "") {
  return std::string("\t") + setting + " " + tabs + (set ? "Success" : "Failed") +
         (set ? "" : failedRemark) + "\n";
}

struct Rewritten {
  std::string folder; // the game folder, or the launcher's folder
  RewriteOutcome outcome;
};

// The three lines of each configuration; the launcher's follow the game folder's under its path.
void LogSummary(const std::vector<Rewritten> &configurations, bool succeeded) {
  WriteLog("\n\nSUMMARY\n=======\n\n", 0);
  for (std::size_t i = 0; i < configurations.size(); ++i) {
    const RewriteOutcome &outcome = configurations[i].outcome;
    if (i > 0)
      WriteLog("\tLauncher: " + ConfigurationPath(configurations[i].folder) + "\n", 0);
    WriteLog(SummaryLine("DefaultGame", "\t\t", outcome.defaultGameSet), 0);
    WriteLog(SummaryLine("Class", "\t\t\t", outcome.classSet), 0);
    WriteLog(SummaryLine("GameSpeed", "\t\t", outcome.gameSpeedSet,
                         succeeded ? " (Not Fatal, Kestrevane will still run fine with this error)"
                                   : ""),
             0);
  }
}

void ReportSuccess(const std::vector<Rewritten> &configurations) {
  platform->showControl(IDC_FINISH);
  WriteLog("\n\n**** KESTREVANE WAS INSTALLED SUCCESSFULLY ****", 0);
  LogSummary(configurations, true);
  WriteLog(ClosingText(true), 0);
  platform->setText(IDC_STATUS_TEXT, "Kestrevane is installed. Run Deus Ex and start a new game!");
  platform->showBox("Kestrevane is installed! You may now run Deus Ex\nand start a New Game as "
                    "you normally would.\n\n(The Kestrevane Demo will start instead of Deus Ex)",
                    "Installation completed!", okBox | warningIcon);
}

[[noreturn]] void ReportFailedRewrite(const std::vector<Rewritten> &configurations) {
  WriteLog(std::string("\n\n**** KESTREVANE WAS --NOT-- INSTALLED SUCCESSFULLY ****\n\nPlease "
                       "visit ") +
               supportWebAddress + " for Technical Support.",
           0);
  LogSummary(configurations, false);
  WriteLog(ClosingText(false), 0);
  platform->showBox("Setup was unable to make all of the requried changes. Please see the "
                    "Kestrevane.log file on your C: drive.",
                    "Error", okBox | warningIcon);
  ExitProgram(-1);
}

[[noreturn]] void ExitOnUnreadableConfiguration(const std::string &configurationPath) {
  ExitBoxFirst("Kestrevane cannot read DeusEx.ini file, contact technical support.",
               "\n\nERROR: Cannot read " + configurationPath +
                   " (DeusEx.ini file) to the end. Contact technical support.");
}

// Rewrites folder's DeusEx.ini into its temporary configuration. The game folder's must open, or
// the game is not installed there; the launcher's is known to exist, so not opening it is an
// error of its own.
RewriteOutcome RewriteIntoTemporary(const std::string &folder, bool isGameFolder) {
  const std::string configurationPath = ConfigurationPath(folder);
  const std::string temporaryPath = SetupTemporaryPath(folder);

  const auto reader = platform->openReader(configurationPath);
  if (!reader && !isGameFolder)
    ExitOnUnreadableConfiguration(configurationPath);
  if (!reader) {
    platform->showBox("ERROR: \nDeus Ex is not installed in the specified directory.", "Error",
                      okBox | warningIcon);
    WriteLog("Deus Ex is not installed in the specified directory ( " + folder + " )", 0);
    ExitProgram(-1);
  }
  if (isGameFolder)
    WriteLog("\nVALID DX INSTALL FOUND", 0);

  platform->clearReadOnly(temporaryPath); // the kit's own file, left by an earlier setup
  auto writer = platform->openWriter(temporaryPath);
  if (!writer)
    ExitBoxFirst("Kestrevane cannot open temporary DeusEx.ini file, contact technical support.",
                 "\n\nERROR: Cannot open " + temporaryPath +
                     " (temporary DeusEx.ini file) for output. Contact technical support.");

  platform->setText(IDC_STATUS_TEXT,
                    "Making necessary changes to the DeusEx.ini configuration file.");
  WriteLog("\n\nSTARTING TO MAKE CHANGES TO DeusEx.ini FILE\n"
           "===========================================",
           0);
  platform->advanceProgress(IDC_PROGRESS);

  const RewriteReport report{[](const std::string &entry) { WriteLog(entry, 0); },
                             [] { platform->advanceProgress(IDC_PROGRESS); }};
  const RewriteOutcome outcome = RewriteGameConfiguration(*reader, *writer, report);
  writer->flush();
  const bool writerFailed = writer->fail();
  writer.reset(); // closed: the temporary configuration is complete on disk

  // An incomplete temporary configuration must never reach DeusEx.ini.
  if (outcome.readFailed)
    ExitOnUnreadableConfiguration(configurationPath);
  if (outcome.writeFailed || writerFailed)
    ExitBoxFirst("Kestrevane cannot write temporary DeusEx.ini file, contact technical support.",
                 "\n\nERROR: Cannot write " + temporaryPath +
                     " (temporary DeusEx.ini file). Contact technical support.");
  return outcome;
}

} // namespace

void RunInstallation() {
  // The worker's own copies: the page thread may end the process, destroying the globals, while
  // the run is under way.
  const std::string folder = gameFolder, packageFolder = kitFolder;
  // With an earlier installation (its backup is there), the files at the packages' destinations
  // are the kit's own, an older version; without one, any that differs is the player's.
  const bool earlierInstallation = platform->fileExists(BackupPath(folder));
  // The launcher's configuration is the one the game reads when the player starts it through
  // the launcher: it is changed like the game folder's, or New Game would start the original.
  std::vector<std::string> folders = {folder};
  const std::string launcher = LauncherFolder(folder);
  if (!launcher.empty() && platform->fileExists(ConfigurationPath(launcher)))
    folders.push_back(launcher);

  platform->setProgressRange(IDC_PROGRESS, ProgressSteps(static_cast<int>(folders.size())));
  WriteLog("\n\n\nNEW KESTREVANE INSTALLATION\n===========================\n\nInstalling to: " +
               folder,
           1);
  platform->setText(IDC_STATUS_HEADING, "Status: Installing to " + folder);
  platform->setText(IDC_STATUS_TEXT, "Checking Deus Ex paths.");
  platform->advanceProgress(IDC_PROGRESS);
  ReportUnreachableLauncher();

  // Every configuration is rewritten before the first package file is copied.
  std::vector<Rewritten> configurations;
  for (const std::string &configurationFolder : folders) {
    if (configurationFolder != folder)
      WriteLog(LauncherEntry(configurationFolder, launcherChanged), 0);
    configurations.push_back(
        {configurationFolder,
         RewriteIntoTemporary(configurationFolder, configurationFolder == folder)});
  }
  for (const Rewritten &configuration : configurations)
    if (!configuration.outcome.classSet || !configuration.outcome.defaultGameSet)
      ReportFailedRewrite(configurations);

  WriteLog("\n\n---> ALL NECESSARY CHANGES MADE TO DeusEx.ini FILE (OK) <---\n\nCOPYING "
           "FILES\n=============",
           0);
  platform->setText(IDC_STATUS_TEXT, "Copying files...");
  for (const PackageEntry &entry : packageManifest)
    CopyPackageFile(packageFolder, folder, entry.fileName, entry.kind, earlierInstallation);
  FinaliseConfigurations(folders);
  ReportSuccess(configurations);
}
