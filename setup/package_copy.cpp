#include "setup/package_copy.h"

#include "common/installation_log.h"
#include "common/package_manifest.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/support_contact.h"
#include "common/system_error_box.h"
#include "setup/resource.h"

#include <windows.h>

namespace {

[[noreturn]] void ExitOnInvalidKind(const std::string &fileName) {
  const std::string boxText = std::string("Unable to copy file. Please report this as a bug ( ") +
                              supportEmailAddress +
                              " ). Kestrevane has NOT been installed correctly.";
  MessageBoxA(nullptr, boxText.c_str(), "FATAL ERROR", MB_OK | MB_ICONWARNING);
  WriteLog("\n\nFATAL ERROR\n===========", 0);
  WriteLog("---> Could not copy file " + fileName +
               "\n---> Description: No filetype specified (INTERNAL ERROR)\n---> Solution   : "
               "Please report this as a bug to " +
               supportEmailAddress +
               "\n\n**** KESTREVANE HAS --NOT-- BEEN INSTALLED CORRECTLY - INSTALLER EXITS ****",
           0);
  ExitProgram(-1);
}

} // namespace

int CopyPackageFile(std::string gameFolder, std::string fileName, int kind) {
  SetPageText(IDC_STATUS, "Copying file " + fileName);
  const std::string source = PackageSourcePath(fileName);
  if (KindFolderText(kind) == nullptr)
    ExitOnInvalidKind(fileName);
  const std::string destination = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> " + source + " to " + destination, 0);

  // An existing file of the same name (a repeated setup) is replaced without asking.
  if (!CopyFileA(source.c_str(), destination.c_str(), FALSE)) {
    const DWORD error = GetLastError();
    ShowSystemErrorBox(error, "\nThis error occurred when copying file: \n\t" + fileName);
    WriteLog(" (FAILED)\n\nInstaller exits.", 0);
    ExitProgram(-1);
  }
  AdvanceProgress(IDC_PROGRESS);
  WriteLog(" (OK)", 0);
  return 0;
}
