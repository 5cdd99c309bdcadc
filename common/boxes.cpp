#include "common/boxes.h"

#include "common/code_page_text.h"
#include "common/command_line.h"
#include "common/platform.h"

namespace {

bool unattended = false;

// A box's text for MessageBoxW. Texts come in the ANSI code page, except the names of folders
// that it cannot hold (an older Windows), which come in UTF-8 so that the box can still show
// them: a text that is valid UTF-8 is read as such. In the UTF-8 code page the two are one; in a
// single-byte one, a text with letters beyond ASCII is almost never valid UTF-8 by chance.
std::wstring BoxText(const std::string &text) {
  const std::wstring utf8 = FromUtf8(text);
  return utf8.empty() ? FromAnsiCodePage(text) : utf8;
}

} // namespace

void SendBoxesToLog() { unattended = true; }

int ShowBox(HWND owner, const std::string &text, const char *caption, unsigned type) {
  if (!unattended)
    return MessageBoxW(owner, BoxText(text).c_str(), BoxText(caption).c_str(), type);
  // A log that cannot be written is no reason to stop an unattended run, nor to say so.
  platform->appendLog(BoxLogEntry(caption, text), 0);
  return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}
