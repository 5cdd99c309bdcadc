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

namespace {

// 2 steps of the worker, 2 of the rewrite, one per package copy, 1 of the finalisation: 21.
constexpr int installSteps = 2 + 2 + packageCount + 1;

[[noreturn]] void ExitWithError(const char *boxText, const std::string &logEntry) {
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

void ReportSuccess(const RewriteOutcome &outcome) {
  platform->showControl(IDC_FINISH);
  WriteLog("\n\n**** KESTREVANE WAS INSTALLED SUCCESSFULLY ****", 0);
  WriteLog("\n\nSUMMARY\n=======\n\n", 0);
  WriteLog(SummaryLine("DefaultGame", "\t\t", true), 0);
  WriteLog(SummaryLine("Class", "\t\t\t", true), 0);
  WriteLog(SummaryLine("GameSpeed", "\t\t", outcome.gameSpeedSet,
                       " (Not Fatal, Kestrevane will still run fine with this error)"),
           0);
  WriteLog(ClosingText(true), 0);
  platform->setText(IDC_STATUS_TEXT, "Kestrevane is installed. Run Deus Ex and start a new game!");
  platform->showBox("Kestrevane is installed! You may now run Deus Ex\nand start a New Game as "
                    "you normally would.\n\n(The Kestrevane Demo will start instead of Deus Ex)",
                    "Installation completed!", okBox | warningIcon);
}

[[noreturn]] void ReportFailedRewrite(const RewriteOutcome &outcome) {
  WriteLog(std::string("\n\n**** KESTREVANE WAS --NOT-- INSTALLED SUCCESSFULLY ****\n\nPlease "
                       "visit ") +
               supportWebAddress + " for Technical Support.",
           0);
  WriteLog("\n\nSUMMARY\n=======\n\n", 0);
  WriteLog(SummaryLine("DefaultGame", "\t\t", outcome.defaultGameSet), 0);
  WriteLog(SummaryLine("Class", "\t\t\t", outcome.classSet), 0);
  WriteLog(SummaryLine("GameSpeed", "\t\t", outcome.gameSpeedSet), 0);
  WriteLog(ClosingText(false), 0);
  platform->showBox("Setup was unable to make all of the requried changes. Please see the "
                    "Kestrevane.log file on your C: drive.",
                    "Error", okBox | warningIcon);
  ExitProgram(-1);
}

RewriteOutcome RewriteIntoTemporary(const std::string &folder) {
  const std::string configPath = ConfigurationPath(folder);
  const std::string temporaryPath = SetupTemporaryPath(folder);

  // The game counts as installed exactly where its configuration can be opened.
  const auto reader = platform->openReader(configPath);
  if (!reader) {
    platform->showBox("ERROR: \nDeus Ex is not installed in the specified directory.", "Error",
                      okBox | warningIcon);
    WriteLog("Deus Ex is not installed in the specified directory ( " + folder + " )", 0);
    ExitProgram(-1);
  }
  WriteLog("\nVALID DX INSTALL FOUND", 0);

  auto writer = platform->openWriter(temporaryPath);
  if (!writer)
    ExitWithError("Kestrevane cannot open temporary DeusEx.ini file, contact technical support.",
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
    ExitWithError("Kestrevane cannot read DeusEx.ini file, contact technical support.",
                  "\n\nERROR: Cannot read " + configPath +
                      " (DeusEx.ini file) to the end. Contact technical support.");
  if (outcome.writeFailed || writerFailed)
    ExitWithError("Kestrevane cannot write temporary DeusEx.ini file, contact technical support.",
                  "\n\nERROR: Cannot write " + temporaryPath +
                      " (temporary DeusEx.ini file). Contact technical support.");
  return outcome;
}

} // namespace

int RunInstallation() {
  const std::string folder = gameFolder;
  platform->setProgressRange(IDC_PROGRESS, installSteps);
  WriteLog("\n\n\nNEW KESTREVANE INSTALLATION\n===========================\n\nInstalling to: " +
               folder,
           1);
  platform->setText(IDC_STATUS_HEADING, "Status: Installing to " + folder);
  platform->setText(IDC_STATUS_TEXT, "Checking Deus Ex paths.");
  platform->advanceProgress(IDC_PROGRESS);

  const RewriteOutcome outcome = RewriteIntoTemporary(folder);
  if (!outcome.classSet || !outcome.defaultGameSet)
    ReportFailedRewrite(outcome);

  WriteLog("\n\n---> ALL NECESSARY CHANGES MADE TO DeusEx.ini FILE (OK) <---\n\nCOPYING "
           "FILES\n=============",
           0);
  platform->setText(IDC_STATUS_TEXT, "Copying files...");
  for (const PackageEntry &entry : packageManifest)
    CopyPackageFile(folder, entry.fileName, entry.kind);
  FinaliseConfiguration();
  ReportSuccess(outcome);
  return 0;
}
