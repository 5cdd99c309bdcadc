#include "setup/package_copy.h"

#include "common/installation_log.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "setup/resource.h"

void CopyPackageFile(const std::string &kitFolder, const std::string &gameFolder,
                     const std::string &fileName, PackageKind kind) {
  platform->setText(IDC_STATUS_TEXT, "Copying file " + fileName);
  const std::string destination = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> " + PackageSourceName(fileName) + " to " + destination, 0);

  // An existing file of the same name (a repeated setup) is replaced without asking, also one
  // left read-only: it is the kit's own file.
  platform->clearReadOnly(destination);
  if (const ErrorCode error = CopyVerified(PackageSourcePath(kitFolder, fileName), destination)) {
    ShowSystemErrorBox(error, "\nThis error occurred when copying file: \n\t" + fileName);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ExitProgram(-1);
  }
  platform->advanceProgress(IDC_PROGRESS);
  WriteLog(" (OK)", 0);
}
