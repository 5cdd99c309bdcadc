#include "common/windows_platform.h"

#include "common/game_folder_lookup.h"
#include "common/installation_log.h"
#include "common/log_line.h"
#include "common/page_controls.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/unattended_run.h"

#include <commctrl.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

HWND pageWindow = nullptr;

namespace {
bool unattended = false; // nobody there to answer a box
} // namespace

int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type) {
  if (!unattended)
    return MessageBoxA(owner, text.c_str(), caption, type);
  // A log that cannot be written is no reason to stop an unattended run, nor to say so.
  platform->appendLog(BoxLogEntry(caption, text), 0);
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

void FollowCommandLine(const char *arguments, const char *programName, const char *caption,
                       void (*runUnattended)()) {
  const CommandLine line = ParseCommandLine(arguments != nullptr ? arguments : "");
  if (line.usage) {
    if (!line.silent)
      ShowBox(nullptr, UsageText(programName), caption, MB_OK | MB_ICONINFORMATION);
    std::exit(usageExitCode);
  }
  if (!line.silent) {
    folderFromCommandLine = line.folder;
    return;
  }
  unattended = true;
  gameFolder = line.folder ? *line.folder : GetGameFolder();
  try {
    runUnattended();
  } catch (...) {
    ExitProgram(-1);
  }
  ExitProgram(0);
}

namespace {

// -- the end of the process ----------------------------------------------------------------------
// Only the first ExitProgram ends the process; it waits while the worker holds the end back. The
// other thread, once an end is under way, stops at its next call of the platform and stays there,
// so that nothing it does races with the standard library's orderly exit.

CRITICAL_SECTION exitLock;
DWORD exitingThread = 0; // the thread that ends the process, once one does
DWORD holdingThread = 0; // the thread that holds the end back, while one does
int exitHolds = 0;

[[noreturn]] void StayForEver() {
  for (;;)
    Sleep(INFINITE);
}

void StopIfAnotherThreadEnds() {
  EnterCriticalSection(&exitLock);
  const bool stop = exitingThread != 0 && exitingThread != GetCurrentThreadId() && exitHolds == 0;
  LeaveCriticalSection(&exitLock);
  if (stop)
    StayForEver();
}

void HoldExit() {
  StopIfAnotherThreadEnds();
  EnterCriticalSection(&exitLock);
  holdingThread = GetCurrentThreadId();
  ++exitHolds;
  LeaveCriticalSection(&exitLock);
}

void ReleaseExit() {
  EnterCriticalSection(&exitLock);
  --exitHolds;
  LeaveCriticalSection(&exitLock);
}

// While it waits, the page thread still carries out the messages that the worker sends it, or
// the worker would wait for the page and the page for the worker.
void WaitForExitHolds() {
  for (;;) {
    EnterCriticalSection(&exitLock);
    const bool free = exitHolds == 0 || holdingThread == GetCurrentThreadId();
    LeaveCriticalSection(&exitLock);
    if (free)
      return;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
  }
}

void EndProcess(int code) {
  EnterCriticalSection(&exitLock);
  const bool first = exitingThread == 0;
  if (first) {
    exitingThread = GetCurrentThreadId();
  } else if (holdingThread == GetCurrentThreadId()) {
    exitHolds = 0; // nothing more will be written: let the first caller end the process
  }
  LeaveCriticalSection(&exitLock);
  if (!first)
    StayForEver();
  if (code != 0)
    ShowBox(nullptr, ProgramErrorBoxText(), "Setup Error", MB_OK | MB_ICONERROR);
  WaitForExitHolds();
  std::exit(code);
}

// -- files -----------------------------------------------------------------------------------

std::unique_ptr<std::istream> OpenReader(const std::string &path) {
  StopIfAnotherThreadEnds();
  auto reader = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
  if (!*reader)
    return nullptr;
  return reader;
}

std::unique_ptr<std::ostream> OpenWriter(const std::string &path) {
  StopIfAnotherThreadEnds();
  auto writer =
      std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!*writer)
    return nullptr;
  return writer;
}

ErrorCode ResultOf(BOOL succeeded) { return succeeded ? 0 : GetLastError(); }

ErrorCode CopyOneFile(const std::string &from, const std::string &to) {
  StopIfAnotherThreadEnds();
  return ResultOf(CopyFileA(from.c_str(), to.c_str(), FALSE));
}

ErrorCode MoveOneFile(const std::string &from, const std::string &to) {
  StopIfAnotherThreadEnds();
  return ResultOf(
      MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

ErrorCode DeleteOneFile(const std::string &path) {
  StopIfAnotherThreadEnds();
  return ResultOf(DeleteFileA(path.c_str()));
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ErrorCode ClearReadOnly(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return GetLastError();
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
    return 0;
  return ResultOf(SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
}

std::string SystemErrorText(ErrorCode error) {
  char *text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                     FORMAT_MESSAGE_FROM_SYSTEM,
                 nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<char *>(&text), 0, nullptr);
  const std::string result = text != nullptr ? text : "";
  LocalFree(text);
  return result;
}

// -- the page, boxes and the log ---------------------------------------------------------------

void SetText(int controlId, const std::string &text) {
  StopIfAnotherThreadEnds();
  SetDlgItemTextA(pageWindow, controlId, text.c_str());
}

void SetProgressRange(int progressBarId, int steps) {
  HWND bar = GetDlgItem(pageWindow, progressBarId);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, steps));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
}

void AdvanceProgress(int progressBarId) {
  StopIfAnotherThreadEnds();
  SendMessageA(GetDlgItem(pageWindow, progressBarId), PBM_STEPIT, 0, 0);
}

void ShowControl(int controlId) {
  StopIfAnotherThreadEnds();
  ShowWindow(GetDlgItem(pageWindow, controlId), SW_SHOWNORMAL);
}

int ShowOwnerlessBox(const std::string &text, const char *caption, unsigned type) {
  StopIfAnotherThreadEnds();
  return ShowBox(nullptr, text, caption, type);
}

bool AppendLog(const std::string &message, int stampFlag) {
  StopIfAnotherThreadEnds();
  const std::time_t now = std::time(nullptr);
  std::tm localTime{};
  if (const std::tm *converted = std::localtime(&now))
    localTime = *converted;
  return AppendLogLine(logFilePath, message, stampFlag, localTime);
}

const Platform windowsPlatform = {
    OpenReader,       OpenWriter,      CopyOneFile, MoveOneFile,      DeleteOneFile,   FileExists,
    ClearReadOnly,    SystemErrorText, SetText,     SetProgressRange, AdvanceProgress, ShowControl,
    ShowOwnerlessBox, AppendLog,       HoldExit,    ReleaseExit,      EndProcess,
};

} // namespace

void UseWindowsPlatform() {
  InitializeCriticalSection(&exitLock);
  platform = &windowsPlatform;
}
