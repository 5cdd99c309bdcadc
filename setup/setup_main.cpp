// The setup program's entry: it has no main window, only the nested wizard pages.
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/program_folder.h"
#include "common/program_state.h"
#include "common/safe_dll_search.h"
#include "common/support_contact.h"
#include "common/unattended_run.h"
#include "common/windows_platform.h"
#include "setup/install_worker.h"
#include "setup/resource.h"
#include "setup/setup_pages.h"

std::string ProgramErrorBoxText() {
  return std::string("The Kestrevane Installation & Setup software has been unable to\ninstall "
                     "Kestrevane correctly. Please visit ") +
         supportWebAddress +
         "\nfor additional information; you can also view the Kestrevane.log\nfile created on "
         "your C:\\ drive for additional information.\n\nFor personal technical support, email " +
         supportEmailAddress +
         "\n(please include the file C:\\Kestrevane.log as this will help us\nto help you!).";
}

namespace {

// The package files lie beside the setup. In a folder whose name the code page cannot hold (an
// older Windows) they cannot be reached: a box and the log name the folder, and the run stops.
void StopIfKitFolderOutOfReach() {
  const std::string unreachable = UnreachableProgramFolder();
  if (unreachable.empty())
    return;
  ReportUnreachableFolder(nullptr, unreachable);
  ExitProgram(-1);
}

void RunUnattendedInstallation() {
  StopIfKitFolderOutOfReach();
  RunInstallation();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  RestrictDllSearchToSystem(); // before anything can load a DLL by name
  InitialiseCommonControls();
  UseWindowsPlatform();
  if (const std::string folder = ProgramFolder(); !folder.empty())
    kitFolder = folder;
  FollowCommandLine(arguments, "Kestrevane6.exe", "Kestrevane Setup", RunUnattendedInstallation);
  StopIfKitFolderOutOfReach();
  appInstance = instance;
  // Returns only when the first page cannot be shown at all; every other end leaves through exit.
  DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_LICENCE_PAGE), nullptr, LicencePageProc, 0);
  return 1;
}
