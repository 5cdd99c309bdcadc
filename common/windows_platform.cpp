#include "common/windows_platform.h"

#include "common/boxes.h"
#include "common/code_page_text.h"
#include "common/installation_log.h"
#include "common/log_line.h"
#include "common/platform.h"
#include "common/process_end.h"
#include "common/windows_files.h"

#include <commctrl.h>
#include <shlobj.h>

#include <ctime>

HWND pageWindow = nullptr;

namespace {

void SetText(int controlId, const std::string &text) {
  StopIfProcessEnds();
  SetDlgItemTextA(pageWindow, controlId, text.c_str());
}

void SetProgressRange(int progressBarId, int steps) {
  HWND bar = GetDlgItem(pageWindow, progressBarId);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, steps));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
}

void AdvanceProgress(int progressBarId) {
  StopIfProcessEnds();
  SendMessageA(GetDlgItem(pageWindow, progressBarId), PBM_STEPIT, 0, 0);
}

void ShowControl(int controlId) {
  StopIfProcessEnds();
  ShowWindow(GetDlgItem(pageWindow, controlId), SW_SHOWNORMAL);
}

int ShowOwnerlessBox(const std::string &text, const char *caption, unsigned type) {
  StopIfProcessEnds();
  return ShowBox(nullptr, text, caption, type);
}

// Redirected folders included; under Wine or Proton, the prefix's user's Documents. Asked for
// in UTF-16: the A call would put '?' for each character the code page cannot hold, and name
// another folder.
std::wstring WideDocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
    return std::wstring();
  return folder;
}

std::string DocumentsFolder() {
  return WideInAnsiCodePage(WideDocumentsFolder()).value_or(std::string());
}

std::string UnreachableLauncherFolder() {
  const std::wstring documents = WideDocumentsFolder();
  if (documents.empty() || WideInAnsiCodePage(documents))
    return std::string();
  const std::wstring launcher = documents + L"\\Deus Ex";
  const DWORD attributes = GetFileAttributesW(launcher.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return std::string();
  return AsUtf8(launcher);
}

bool AppendLog(const std::string &message, int stampFlag) {
  StopIfProcessEnds();
  const std::time_t now = std::time(nullptr);
  std::tm localTime{};
  if (const std::tm *converted = std::localtime(&now))
    localTime = *converted;
  return AppendLogLine(logFilePath, message, stampFlag, localTime);
}

const Platform windowsPlatform = {
    OpenReader,        OpenWriter,      CopyOneFile,
    MoveOneFile,       DeleteOneFile,   FileExists,
    ClearReadOnly,     CheckWritable,   CheckDeletable,
    SystemErrorText,   DocumentsFolder, SetText,
    SetProgressRange,  AdvanceProgress, ShowControl,
    ShowOwnerlessBox,  AppendLog,       HoldProcessEnd,
    ReleaseProcessEnd, EndProcess,      UnreachableLauncherFolder,
    FlushOneFile,      AbsolutePath,
};

} // namespace

void UseWindowsPlatform() {
  InitialiseProcessEnd();
  platform = &windowsPlatform;
}
