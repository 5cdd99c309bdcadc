#include "common/system_error_box.h"

#include "common/bounded_text.h"
#include "common/installation_log.h"
#include "common/program_exit.h"
#include "common/support_contact.h"

void ShowSystemErrorBox(DWORD errorCode, const std::string &fixedText) {
  char *systemText = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                     FORMAT_MESSAGE_FROM_SYSTEM,
                 nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<char *>(&systemText), 0, nullptr);
  char boxText[errorBoxTextSize];
  CopyIntoBuffer(boxText, sizeof boxText, ComposeBoundedText(systemText, fixedText));
  MessageBoxA(nullptr, boxText, "Kestrevane Error", MB_OK | MB_ICONWARNING);
  LocalFree(systemText);
}

void ExitOnUnknownPackageKind(const std::string &boxText, const char *action,
                              const std::string &fileName) {
  MessageBoxA(nullptr, boxText.c_str(), "FATAL ERROR", MB_OK | MB_ICONWARNING);
  WriteLog("\n\nFATAL ERROR\n===========", 0);
  WriteLog(std::string("---> Could not ") + action + " file " + fileName +
               "\n---> Description: No filetype specified (INTERNAL ERROR)\n---> Solution   : "
               "Please report this as a bug to " +
               supportEmailAddress +
               "\n\n**** KESTREVANE HAS --NOT-- BEEN INSTALLED CORRECTLY - INSTALLER EXITS ****",
           0);
  ExitProgram(-1);
}
