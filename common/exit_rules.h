// Who may end the process, and when. Only the first caller of an end gets to end the process;
// while a thread holds the end back (it is writing DeusEx.ini), that end waits; a thread that
// finds another one ending the process stops where it is, so that nothing it does races with the
// standard library's orderly exit. Each function takes the gate's lock once, so its check and its
// change are one step for the other thread.
#pragma once

struct ExitGate {
  void (*lock)();
  void (*unlock)();
  unsigned long endingThread = 0;  // the thread that ends the process, once one does
  unsigned long holdingThread = 0; // the thread that holds the end back, while one does
  int holds = 0;
};

// Holds the end back. False when another thread is already ending the process: the caller must
// then stop without writing anything.
bool HoldExit(ExitGate &gate, unsigned long thread);
void ReleaseExit(ExitGate &gate);

// True when another thread ends the process and no hold of this thread keeps it going.
bool MustStop(ExitGate &gate, unsigned long thread);

// True for the first caller, which then ends the process; any later caller must stop. A holder
// that asks for an end gives up its holds: it will write nothing more.
bool BeginEnd(ExitGate &gate, unsigned long thread);

// True once no other thread holds the end back.
bool EndMayProceed(ExitGate &gate, unsigned long thread);
