#include "common/boxes.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/safe_dll_search.h"
#include "common/support_contact.h"
#include "common/unattended_run.h"
#include "common/windows_platform.h"
#include "uninstall/installation_check.h"
#include "uninstall/resource.h"
#include "uninstall/uninstall_pages.h"
#include "uninstall/uninstall_worker.h"

#include <windows.h>

#include <string>

// Shown under the caption "Setup Error", as the setup's own box is: the two programs are one kit,
// and players and support know its failure box by that caption whichever program showed it.
std::string ProgramErrorBoxText() {
  return std::string("Kestrevane could not be uninstalled. Please visit\n") + supportWebAddress +
         " for Technical Support.";
}

namespace {

// Without pages the presence check runs first, and its failure ends the run.
void RunUnattended() {
  if (CheckInstallation() < 0) {
    ShowBox(nullptr, noInstallationText, "Uninstaller Error", MB_OK | MB_ICONWARNING);
    ExitProgram(-1);
  }
  RunUninstallation();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  RestrictDllSearchToSystem(); // before anything can load a DLL by name
  InitialiseCommonControls();
  UseWindowsPlatform();
  FollowCommandLine(arguments, "Uninstall.exe", "Kestrevane Uninstaller", RunUnattended);

  appInstance = instance;
  DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_PATH_PAGE), nullptr, UninstallPathPageProc, 0);
  // An orderly run ends through exit() inside the pages; getting here means the path page could
  // not be shown at all.
  return 1;
}
