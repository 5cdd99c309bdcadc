// The end of the process on Windows, by the rules of exit_rules.h: only the first ExitProgram ends
// the process, after the program's error box for a non-zero code, and it waits while the worker
// holds the end back.
#pragma once

void InitialiseProcessEnd(); // once, before a second thread exists

// Called before each file or page operation: once another thread ends the process, this thread
// stays here for good (unless it holds the end back), so nothing it does races with the exit.
void StopIfProcessEnds();

void HoldProcessEnd();
void ReleaseProcessEnd();
[[noreturn]] void EndProcess(int code);
