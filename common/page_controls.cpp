#include "common/page_controls.h"

#include "common/game_folder_lookup.h"
#include "common/program_exit.h"
#include "common/program_state.h"

#include <commctrl.h>

void SetPageText(int controlId, const std::string &text) {
  SetDlgItemTextA(pageWindow, controlId, text.c_str());
}

void SetProgressRange(int progressBarId, int steps) {
  HWND bar = GetDlgItem(pageWindow, progressBarId);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, steps));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
}

void AdvanceProgress(int progressBarId) {
  SendMessageA(GetDlgItem(pageWindow, progressBarId), PBM_STEPIT, 0, 0);
}

void ShowPageControl(int controlId) {
  ShowWindow(GetDlgItem(pageWindow, controlId), SW_SHOWNORMAL);
}

namespace {

void SetPageIcons(HWND page, int smallIconGroup, int largeIconGroup) {
  HANDLE smallIcon =
      LoadImageA(appInstance, MAKEINTRESOURCEA(smallIconGroup), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  HANDLE largeIcon =
      LoadImageA(appInstance, MAKEINTRESOURCEA(largeIconGroup), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  SendMessageA(page, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  SendMessageA(page, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
}

} // namespace

INT_PTR AnswerPageMessage(HWND page, UINT message, WPARAM wParam, int smallIconGroup,
                          int largeIconGroup, PageInit init, PageCommandHandler onCommand) {
  try {
    switch (message) {
    case WM_INITDIALOG:
      SetPageIcons(page, smallIconGroup, largeIconGroup);
      init(page);
      return TRUE;
    case WM_DESTROY:
      ExitProgram(-1);
    case WM_DRAWITEM:
      return TRUE;
    case WM_COMMAND:
      onCommand(page, LOWORD(wParam));
      return FALSE;
    }
  } catch (...) {
    ExitProgram(-1);
  }
  return FALSE;
}

void ProposeGameFolder(HWND page, int folderFieldId) {
  gameFolder = GetGameFolder();
  pageWindow = page;
  SetDlgItemTextA(page, folderFieldId, gameFolder.c_str());
}

void TakeGameFolder(HWND page, int folderFieldId) {
  char folder[folderFieldSize] = {};
  GetDlgItemTextA(page, folderFieldId, folder, folderFieldSize);
  gameFolder = folder;
}

void OpenNextPage(HWND page, int templateId, DLGPROC pageProc) {
  EndDialog(page, 1);
  DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), nullptr, pageProc, 0);
}
