// The page thread asks for an end of the process at every moment at which the worker lets go of
// the gate's lock while it takes its hold: the end must then either wait for the hold, or the
// worker must stop before it writes DeusEx.ini.
#include "common/exit_rules.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned long worker = 1, page = 2;
ExitGate gate;
int unlocksBeforePage = 0; // the page thread runs once the worker has let go this many times
bool endWentAhead = false;

void Lock() {}

void Unlock() {
  if (--unlocksBeforePage != 0)
    return;
  // The page thread's exit, run in between: it begins the end and looks at the holds.
  endWentAhead = BeginEnd(gate, page) && EndMayProceed(gate, page);
}

TEST(ExitRules, AnEndAskedForWhileTheWorkerTakesItsHoldNeverCutsAWrite) {
  for (int at = 1; at <= 3; ++at) {
    gate = ExitGate{Lock, Unlock};
    unlocksBeforePage = at;
    endWentAhead = false;
    const bool held = HoldExit(gate, worker);
    EXPECT_FALSE(held && endWentAhead)
        << "the end went ahead after unlock " << at << " while the worker went on to write";
  }
}

} // namespace
