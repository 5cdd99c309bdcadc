#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "uninstall/resource.h"

namespace {
constexpr ErrorCode fileNotFound = 2, pathNotFound = 3;
} // namespace

void RemovePackageFile(const std::string &gameFolder, const std::string &fileName,
                       PackageKind kind) {
  platform->setText(IDC_STATUS_TEXT, "Deleting file " + fileName);
  const std::string fullPath = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> Deleting: " + fullPath, 0);
  platform->clearReadOnly(fullPath); // the kit's own file, whatever attribute it was given
  const ErrorCode error = DeleteConfirmed(fullPath);
  // A file deleted by hand is as good as removed: it must not stop every later uninstall.
  if (error == 0 || error == fileNotFound || error == pathNotFound) {
    platform->advanceProgress(IDC_PROGRESS);
    WriteLog(error == 0 ? " (OK)" : " (already deleted, OK)", 0);
    return;
  }
  ShowSystemErrorBox(error, "\nThis error occurred when deleting file: \n\t" + fileName);
  WriteLog(" (FAILED)\n\nInstaller exits.", 0);
  ExitProgram(-1);
}
