#include "uninstall/uninstall_pages.h"

#include "common/boxes.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/windows_platform.h"
#include "uninstall/installation_check.h"
#include "uninstall/resource.h"
#include "uninstall/uninstall_worker.h"

namespace {

void InitPathPage(HWND page) { ProposeGameFolder(page, IDC_FOLDER); }

// The user stays on the page until the folder holds an installation, and may correct it.
void OnPathNext(HWND page) {
  if (!TakeGameFolder(page, IDC_FOLDER) || !GameIsClosed(page))
    return;
  if (CheckInstallation() < 0) {
    ShowBox(page, noInstallationText, "Uninstaller Error", MB_OK | MB_ICONWARNING);
    return;
  }
  OpenNextPage(page, IDD_PROGRESS_PAGE, UninstallProgressPageProc);
}

void OnPathCommand(HWND page, int command) {
  switch (command) {
  case IDC_NEXT:
    OnPathNext(page);
    break;
  case IDCANCEL:     // nothing has been touched yet, so there is nothing to ask about
    LeavePage(page); // never returns
  default:           // also IDOK: Enter in the folder field must not start the removal
    break;
  }
}

void InitProgressPage(HWND page) { StartWorker(page, UninstallWorker); }

void OnProgressCommand(HWND page, int command) {
  switch (command) {
  case IDC_EXIT:
    LeavePage(page); // never returns
  case IDCANCEL:
    ConfirmExitBox(page, shortConfirmText);
    break;
  default:
    break;
  }
}

} // namespace

INT_PTR CALLBACK UninstallPathPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, IDI_PAGE_SMALL, IDI_PAGE_LARGE, InitPathPage,
                           OnPathCommand);
}

INT_PTR CALLBACK UninstallProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, IDI_PAGE_SMALL, IDI_PAGE_LARGE, InitProgressPage,
                           OnProgressCommand);
}

DWORD WINAPI UninstallWorker(LPVOID) {
  try {
    RunUninstallation();
  } catch (...) {
    // Nothing may unwind out of the thread; a failure to build a text is as fatal as any other.
    ExitProgram(-1);
  }
}
