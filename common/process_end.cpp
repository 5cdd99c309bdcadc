#include "common/process_end.h"

#include "common/boxes.h"
#include "common/exit_rules.h"
#include "common/program_exit.h"

#include <windows.h>

#include <cstdlib>

namespace {

CRITICAL_SECTION exitLock;
ExitGate gate = {[] { EnterCriticalSection(&exitLock); }, [] { LeaveCriticalSection(&exitLock); }};

[[noreturn]] void StayForEver() {
  for (;;)
    Sleep(INFINITE);
}

// While it waits, the page thread still carries out the messages that the worker sends it, or
// the worker would wait for the page and the page for the worker.
void WaitForExitHolds() {
  while (!EndMayProceed(gate, GetCurrentThreadId())) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
  }
}

} // namespace

void InitialiseProcessEnd() { InitializeCriticalSection(&exitLock); }

void StopIfProcessEnds() {
  if (MustStop(gate, GetCurrentThreadId()))
    StayForEver();
}

void HoldProcessEnd() {
  if (!HoldExit(gate, GetCurrentThreadId()))
    StayForEver();
}

void ReleaseProcessEnd() { ReleaseExit(gate); }

void EndProcess(int code) {
  if (!BeginEnd(gate, GetCurrentThreadId()))
    StayForEver();
  if (code != 0)
    ShowBox(nullptr, ProgramErrorBoxText(), "Setup Error", MB_OK | MB_ICONERROR);
  WaitForExitHolds();
  std::exit(code);
}
