#include "common/system_error_box.h"

#include "common/bounded_text.h"

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
