#include "common/system_error_box.h"

#include "common/bounded_text.h"
#include "common/installation_log.h"
#include "common/program_exit.h"
#include "common/support_contact.h"

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText) {
  const std::string systemText = platform->systemErrorText(error);
  char boxText[errorBoxTextSize];
  CopyIntoBuffer(boxText, sizeof boxText,
                 ComposeBoundedText(systemText.empty() ? nullptr : systemText.c_str(), fixedText));
  platform->showBox(boxText, "Kestrevane Error", okBox | warningIcon);
}

void ExitOnUnknownPackageKind(const std::string &boxText, const char *action,
                              const std::string &fileName) {
  platform->showBox(boxText, "FATAL ERROR", okBox | warningIcon);
  WriteLog("\n\nFATAL ERROR\n===========", 0);
  WriteLog(std::string("---> Could not ") + action + " file " + fileName +
               "\n---> Description: No filetype specified (INTERNAL ERROR)\n---> Solution   : "
               "Please report this as a bug to " +
               supportEmailAddress +
               "\n\n**** KESTREVANE HAS --NOT-- BEEN INSTALLED CORRECTLY - INSTALLER EXITS ****",
           0);
  ExitProgram(-1);
}
