#include "common/system_error_box.h"

#include "common/bounded_text.h"
#include "common/installation_log.h"
#include "common/program_exit.h"

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText) {
  const std::string systemText = platform->systemErrorText(error);
  platform->showBox(
      ComposeBoundedText(systemText.empty() ? nullptr : systemText.c_str(), fixedText),
      "Kestrevane Error", okBox | warningIcon);
}

void ExitOnFileFailure(ErrorCode error, const char *doing, const std::string &fileName) {
  ShowSystemErrorBox(error,
                     std::string("\nThis error occurred when ") + doing + " file: \n\t" + fileName);
  WriteLog(" (FAILED)\n\nInstaller exits.", 0);
  ExitProgram(-1);
}
