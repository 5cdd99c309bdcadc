#include "common/exit_rules.h"

namespace {

bool AnotherThreadEnds(const ExitGate &gate, unsigned long thread) {
  return gate.endingThread != 0 && gate.endingThread != thread && gate.holds == 0;
}

} // namespace

bool MustStop(ExitGate &gate, unsigned long thread) {
  gate.lock();
  const bool stop = AnotherThreadEnds(gate, thread);
  gate.unlock();
  return stop;
}

// The check and the hold are one step: an end begun between them would not wait for the write.
bool HoldExit(ExitGate &gate, unsigned long thread) {
  gate.lock();
  const bool stop = AnotherThreadEnds(gate, thread);
  if (!stop) {
    gate.holdingThread = thread;
    ++gate.holds;
  }
  gate.unlock();
  return !stop;
}

void ReleaseExit(ExitGate &gate) {
  gate.lock();
  --gate.holds;
  gate.unlock();
}

bool BeginEnd(ExitGate &gate, unsigned long thread) {
  gate.lock();
  const bool first = gate.endingThread == 0;
  if (first)
    gate.endingThread = thread;
  else if (gate.holdingThread == thread)
    gate.holds = 0;
  gate.unlock();
  return first;
}

bool EndMayProceed(ExitGate &gate, unsigned long thread) {
  gate.lock();
  const bool free = gate.holds == 0 || gate.holdingThread == thread;
  gate.unlock();
  return free;
}
