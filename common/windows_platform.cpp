#include "common/windows_platform.h"

#include "common/boxes.h"
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

// Redirected folders included; under Wine or Proton, the prefix's user's Documents.
std::string DocumentsFolder() {
  char folder[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
    return std::string();
  return folder;
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
    OpenReader,       OpenWriter,    CopyOneFile,      MoveOneFile,       DeleteOneFile,
    FileExists,       ClearReadOnly, CheckWritable,    CheckDeletable,    SystemErrorText,
    DocumentsFolder,  SetText,       SetProgressRange, AdvanceProgress,   ShowControl,
    ShowOwnerlessBox, AppendLog,     HoldProcessEnd,   ReleaseProcessEnd, EndProcess,
    AbsolutePath,
};

} // namespace

void UseWindowsPlatform() {
  InitialiseProcessEnd();
  platform = &windowsPlatform;
}
