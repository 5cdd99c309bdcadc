#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/support_contact.h"
#include "common/system_error_box.h"
#include "uninstall/resource.h"

#include <windows.h>

int RemovePackageFile(std::string gameFolder, std::string fileName, int kind) {
  SetPageText(IDC_STEP_TEXT, "Deleting file " + fileName);
  if (KindFolderText(kind) == nullptr)
    ExitOnUnknownPackageKind(
        std::string("Unable to delete file. Uninstaller can only uninstall successfully\nif all "
                    "files were left unmodified after Kestrevane\nwas first installed. You may "
                    "report this as a bug ( ") +
            supportEmailAddress + " ). Kestrevane has NOT been uninstalled correctly.",
        "delete", fileName);

  const std::string fullPath = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> Deleting: " + fullPath, 0);
  if (DeleteFileA(fullPath.c_str())) {
    AdvanceProgress(IDC_PROGRESS);
    WriteLog(" (OK)", 0);
    return 0;
  }

  // Taken at once: any later call may overwrite the thread's last error.
  const DWORD error = GetLastError();
  ShowSystemErrorBox(error, "\nThis error occurred when deleting file: \n\t" + fileName);
  WriteLog(" (FAILED)\n\nInstaller exits.", 0);
  ExitProgram(-1);
}
