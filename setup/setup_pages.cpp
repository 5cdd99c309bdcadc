#include "setup/setup_pages.h"

#include "common/game_folder_lookup.h"
#include "common/page_controls.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "setup/install_worker.h"
#include "setup/licence_text.h"
#include "setup/resource.h"

#include <cstdlib>

namespace {

void OnLicenceCommand(HWND page, int command) {
  switch (command) {
  case IDOK:
    OpenNextPage(page, IDD_PATH_PAGE, PathPageProc);
    break;
  case IDC_EXIT:
    EndDialog(page, 1);
    std::exit(0);
  case IDCANCEL:
    ConfirmExitBox(page, shortConfirmText);
    break;
  }
}

void OnPathNext(HWND page) {
  char folder[folderFieldSize] = {};
  GetDlgItemTextA(page, IDC_FOLDER, folder, folderFieldSize);
  gameFolder = folder;
  // The page does not check the folder: the worker does, and says what is wrong with it.
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
    ExitProgram(0);
  case IDCANCEL:
    // Closing this page is never an orderly end, not even after a successful run.
    EndDialog(page, 1);
    ExitProgram(1);
  }
}

void StartInstallWorker(HWND page) {
  pageWindow = page;
  HANDLE worker = CreateThread(nullptr, 0, InstallWorker, nullptr, 0, nullptr);
  if (worker != nullptr)
    CloseHandle(worker); // nobody waits for the worker or asks for its result
}

// The parts every page shares; pageSteps does the page's own initialisation.
template <typename InitSteps, typename CommandHandler>
INT_PTR AnswerPageMessage(HWND page, UINT message, WPARAM wParam, InitSteps pageSteps,
                          CommandHandler onCommand) {
  try {
    switch (message) {
    case WM_INITDIALOG:
      SetPageIcons(page, IDI_PAGE_SMALL, IDI_PAGE_LARGE);
      pageSteps(page);
      return TRUE;
    case WM_DESTROY:
      // Pages are destroyed only when the next page failed to open.
      ExitProgram(-1);
    case WM_DRAWITEM:
      return TRUE;
    case WM_COMMAND:
      onCommand(page, LOWORD(wParam));
      return FALSE;
    }
  } catch (...) {
    // No exception may unwind into the system's dialog code.
    ExitProgram(-1);
  }
  return FALSE;
}

} // namespace

INT_PTR CALLBACK LicencePageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(
      page, message, wParam,
      [](HWND initPage) { SetDlgItemTextA(initPage, IDC_LICENCE_TEXT, LicenceText().c_str()); },
      OnLicenceCommand);
}

INT_PTR CALLBACK PathPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(
      page, message, wParam,
      [](HWND initPage) {
        gameFolder = GetGameFolder();
        pageWindow = initPage;
        SetDlgItemTextA(initPage, IDC_FOLDER, gameFolder.c_str());
      },
      OnPathCommand);
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  return AnswerPageMessage(page, message, wParam, StartInstallWorker, OnProgressCommand);
}
