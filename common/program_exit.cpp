#include "common/program_exit.h"

#include "common/platform.h"

#include <cstdlib>

void ExitProgram(int code) {
  platform->exitProgram(code);
  std::abort(); // not reached: the platform ends the process
}
