#include "setup/setup_pages.h"

#include "common/page_controls.h"
#include "common/program_exit.h"
#include "setup/install_worker.h"
#include "setup/licence_text.h"
#include "setup/resource.h"

namespace {

void InitLicencePage(HWND page) { SetDlgItemTextA(page, IDC_LICENCE_TEXT, LicenceText().c_str()); }

void OnLicenceCommand(HWND page, int command) {
  switch (command) {
  case IDOK:
    OpenNextPage(page, IDD_PATH_PAGE, PathPageProc);
    break;
  case IDC_EXIT:
    LeavePage(page); // never returns
  case IDCANCEL:
    ConfirmExitBox(page, shortConfirmText);
    break;
  }
}

void InitPathPage(HWND page) { ProposeGameFolder(page, IDC_FOLDER); }

void OnPathNext(HWND page) {
  if (!TakeGameFolder(page, IDC_FOLDER) || !GameIsClosed(page))
    return;
  // Beyond the running game the page does not check the folder: the worker does, and says what
  // is wrong with it.
  OpenNextPage(page, IDD_PROGRESS_PAGE, ProgressPageProc);
}

void OnPathCommand(HWND page, int command) {
  switch (command) {
  case IDC_NEXT:
    OnPathNext(page);
    break;
  case IDC_EXIT:
  case IDCANCEL:
    ConfirmExitBox(page, longConfirmText);
    break;
  }
}

void OnProgressCommand(HWND page, int command) {
  switch (command) {
  case IDC_FINISH:
    EndDialog(page, 1);
    ExitProgram(0); // never returns
  case IDCANCEL:
    // Closing this page is never an orderly end, not even after a successful run.
    EndDialog(page, 1);
    ExitProgram(1);
  }
}

void InitProgressPage(HWND page) { StartWorker(page, InstallWorker); }

} // namespace

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, IDI_PAGE_SMALL, IDI_PAGE_LARGE, InitLicencePage,
                           OnLicenceCommand);
}

INT_PTR CALLBACK PathPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, IDI_PAGE_SMALL, IDI_PAGE_LARGE, InitPathPage,
                           OnPathCommand);
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, IDI_PAGE_SMALL, IDI_PAGE_LARGE, InitProgressPage,
                           OnProgressCommand);
}

DWORD WINAPI InstallWorker(LPVOID) {
  try {
    RunInstallation();
  } catch (...) {
    // Out of memory is the only realistic cause; nothing must unwind out of the thread.
    ExitProgram(-1);
  }
  return 0;
}
