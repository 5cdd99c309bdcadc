#include "common/boxes.h"

#include "common/command_line.h"
#include "common/platform.h"

namespace {
bool unattended = false;
} // namespace

void SendBoxesToLog() { unattended = true; }

int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type) {
  if (!unattended)
    return MessageBoxA(owner, text.c_str(), caption, type);
  // A log that cannot be written is no reason to stop an unattended run, nor to say so.
  platform->appendLog(BoxLogEntry(caption, text), 0);
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}
