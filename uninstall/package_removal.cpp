#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/support_contact.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "uninstall/resource.h"

int RemovePackageFile(std::string gameFolder, std::string fileName, int kind) {
  platform->setText(IDC_STATUS_TEXT, "Deleting file " + fileName);
  if (KindFolderText(kind) == nullptr)
    ExitOnUnknownPackageKind(
        std::string("Unable to delete file. Uninstaller can only uninstall successfully\nif all "
                    "files were left unmodified after Kestrevane\nwas first installed. You may "
                    "report this as a bug ( ") +
            supportEmailAddress + " ). Kestrevane has NOT been uninstalled correctly.",
        "delete", fileName);

  const std::string fullPath = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> Deleting: " + fullPath, 0);
  const ErrorCode error = DeleteConfirmed(fullPath);
  if (error == 0) {
    platform->advanceProgress(IDC_PROGRESS);
    WriteLog(" (OK)", 0);
    return 0;
  }
  ShowSystemErrorBox(error, "\nThis error occurred when deleting file: \n\t" + fileName);
  WriteLog(" (FAILED)\n\nInstaller exits.", 0);
  ExitProgram(-1);
}
