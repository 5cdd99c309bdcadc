#include "common/page_controls.h"

#include "common/boxes.h"
#include "common/command_line.h"
#include "common/game_folder_lookup.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/running_game.h"
#include "common/system_error_box.h"
#include "common/windows_platform.h"

#include <commctrl.h>

HINSTANCE appInstance = nullptr;
std::optional<std::string> folderFromCommandLine;

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

void InitialiseCommonControls() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  static_assert(sizeof controls == 8 && (ICC_WIN95_CLASSES | ICC_DATE_CLASSES) == 0x1FF);
  InitCommonControlsEx(&controls);
}

INT_PTR AnswerPageMessage(HWND page, UINT message, WPARAM wParam, int smallIconGroup,
                          int largeIconGroup, PageInit init, PageCommandHandler onCommand) {
  try {
    switch (message) {
    case WM_INITDIALOG:
      SetPageIcons(page, smallIconGroup, largeIconGroup);
      init(page);
      return TRUE;
    case WM_DESTROY:
      ExitProgram(-1); // never returns
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
  gameFolder = folderFromCommandLine ? *folderFromCommandLine : GetGameFolder();
  SetDlgItemTextA(page, folderFieldId, gameFolder.c_str());
}

void TakeGameFolder(HWND page, int folderFieldId) {
  char folder[folderFieldSize] = {};
  GetDlgItemTextA(page, folderFieldId, folder, folderFieldSize);
  gameFolder = GameFolderFromEntry(folder);
}

bool GameIsClosed(HWND page) {
  const std::vector<std::string> images = GameProcessImages(gameFolder);
  if (images.empty())
    return true;
  ShowBox(page, RunningGameText(images), runningGameCaption, MB_OK | MB_ICONWARNING);
  return false;
}

void OpenNextPage(HWND page, int templateId, DLGPROC pageProc) {
  EndDialog(page, 1);
  DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), nullptr, pageProc, 0);
}

void LeavePage(HWND page) {
  EndDialog(page, 1);
  ExitProgram(0);
}

void ConfirmExitBox(HWND page, const char *text) {
  EnableWindow(page, FALSE);
  const int answer = ShowBox(nullptr, text, "Confirm Exit", MB_YESNO | MB_ICONWARNING);
  EnableWindow(page, TRUE);
  if (answer == IDYES)
    LeavePage(page);
}

void StartWorker(HWND page, LPTHREAD_START_ROUTINE worker) {
  pageWindow = page; // before the worker starts: it addresses the page through it
  HANDLE thread = CreateThread(nullptr, 0, worker, nullptr, 0, nullptr);
  if (thread == nullptr) {
    ShowSystemErrorBox(GetLastError(), "");
    ExitProgram(-1);
  }
  CloseHandle(thread); // nobody waits for the worker or asks for its result
}
