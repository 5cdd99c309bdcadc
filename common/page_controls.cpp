#include "common/page_controls.h"

#include "common/boxes.h"
#include "common/code_page_text.h"
#include "common/command_line.h"
#include "common/game_folder_lookup.h"
#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/running_game.h"
#include "common/safe_dll_search.h"
#include "common/system_error_box.h"
#include "common/text_characters.h"
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
  // Not imported: comctl32 is no KnownDLL, and an import would be looked for beside the program
  // before WinMain could restrict the search. Without it only a page with the progress bar
  // fails to open, as it would on a Windows that lacks the control.
  using InitCommonControlsExFunction = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
  if (HMODULE comctl32 = LoadSystemLibrary("comctl32.dll"))
    if (const auto initialise = reinterpret_cast<InitCommonControlsExFunction>(
            reinterpret_cast<void (*)()>(GetProcAddress(comctl32, "InitCommonControlsEx"))))
      initialise(&controls);
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

void ReportUnreachableFolder(HWND owner, const std::string &folder) {
  WriteLog("\n\n---> Cannot reach the folder " + folder + ": " + unreachableNameReason, 1);
  ShowBox(owner, "Kestrevane cannot reach the folder\n" + folder + "\n" + unreachableNameReason,
          "Folder out of reach", MB_OK | MB_ICONWARNING);
}

bool TakeGameFolder(HWND page, int folderFieldId) {
  // The whole entry, then its first 99 characters: a buffer that the system fills only in part
  // could end inside a character (a UTF-8 one takes up to four bytes). Read in UTF-16, so that
  // a name the code page cannot hold is seen, not changed into '?'s.
  HWND field = GetDlgItem(page, folderFieldId);
  std::wstring entry(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  entry.resize(
      static_cast<std::size_t>(GetWindowTextW(field, &entry[0], static_cast<int>(entry.size()))));
  const std::string folder = FirstCharacters(AsUtf8(entry), longestFolderCharacters, true);
  const std::optional<std::string> reachable = Utf8InAnsiCodePage(folder);
  if (!reachable) {
    ReportUnreachableFolder(page, folder);
    return false;
  }
  gameFolder = GameFolderFromEntry(*reachable);
  return true;
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
