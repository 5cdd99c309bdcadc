#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/support_contact.h"
#include "common/system_error_box.h"
#include "uninstall/resource.h"

#include <windows.h>

namespace {

// Only a fault in the kit itself gets here: every manifest entry names a valid kind.
[[noreturn]] void ReportInvalidKind(const std::string &fileName) {
  const std::string boxText =
      std::string("Unable to delete file. Uninstaller can only uninstall successfully\nif all "
                  "files were left unmodified after Kestrevane\nwas first installed. You may "
                  "report this as a bug ( ") +
      supportEmailAddress + " ). Kestrevane has NOT been uninstalled correctly.";
  MessageBoxA(nullptr, boxText.c_str(), "FATAL ERROR", MB_OK | MB_ICONWARNING);
  WriteLog("\n\nFATAL ERROR\n===========", 0);
  WriteLog("---> Could not delete file " + fileName +
               "\n---> Description: No filetype specified (INTERNAL ERROR)\n---> Solution   : "
               "Please report this as a bug to " +
               supportEmailAddress +
               "\n\n**** KESTREVANE HAS --NOT-- BEEN INSTALLED CORRECTLY - INSTALLER EXITS ****",
           0);
  ExitProgram(-1);
}

} // namespace

int RemovePackageFile(std::string gameFolder, std::string fileName, int kind) {
  SetPageText(IDC_STEP_TEXT, "Deleting file " + fileName);
  if (KindFolderText(kind) == nullptr)
    ReportInvalidKind(fileName);

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
