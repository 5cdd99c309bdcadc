#include "setup/package_copy.h"

#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/support_contact.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "setup/resource.h"

int CopyPackageFile(std::string gameFolder, std::string fileName, int kind) {
  platform->setText(IDC_STATUS_TEXT, "Copying file " + fileName);
  const std::string source = PackageSourcePath(fileName);
  if (KindFolderText(kind) == nullptr)
    ExitOnUnknownPackageKind(std::string("Unable to copy file. Please report this as a bug ( ") +
                                 supportEmailAddress +
                                 " ). Kestrevane has NOT been installed correctly.",
                             "copy", fileName);
  const std::string destination = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> " + source + " to " + destination, 0);

  // An existing file of the same name (a repeated setup) is replaced without asking.
  if (const ErrorCode error = CopyVerified(source, destination)) {
    ShowSystemErrorBox(error, "\nThis error occurred when copying file: \n\t" + fileName);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ExitProgram(-1);
  }
  platform->advanceProgress(IDC_PROGRESS);
  WriteLog(" (OK)", 0);
  return 0;
}
