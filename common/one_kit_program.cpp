#include "common/one_kit_program.h"

#include <windows.h>

bool AnotherKitProgramRuns() {
  // The handle stays open until the process ends; Windows then releases the mutex, also after a
  // crash, so a program that died never blocks the next one.
  CreateMutexA(nullptr, FALSE, "Local\\Kestrevane.InstallationKit");
  return GetLastError() == ERROR_ALREADY_EXISTS;
}
