#include "common/program_exit.h"

#include <cstdlib>

void ExitProgram(int code) {
  if (code != 0) {
    const std::string text = ProgramErrorBoxText();
    MessageBoxA(nullptr, text.c_str(), "Setup Error", MB_OK | MB_ICONERROR);
  }
  std::exit(code);
}

void ConfirmExitBox(HWND page, const char *text) {
  if (MessageBoxA(nullptr, text, "Confirm Exit", MB_YESNO | MB_ICONWARNING) == IDYES) {
    EndDialog(page, 1);
    std::exit(0);
  }
}
