#include "common/boxes.h"

#include "common/command_line.h"
#include "common/platform.h"

#include <algorithm>

namespace {

bool unattended = false;

// A box's text for MessageBoxW. Texts come in the ANSI code page, except the names of folders
// that it cannot hold (an older Windows), which come in UTF-8 so that the box can still show
// them: a text that is valid UTF-8 is read as such. In the UTF-8 code page the two are one; in a
// single-byte one, a text with letters beyond ASCII is almost never valid UTF-8 by chance.
std::wstring BoxText(const std::string &text) {
  const int length = static_cast<int>(text.size());
  UINT codePage = CP_UTF8;
  int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (size <= 0) {
    codePage = CP_ACP;
    size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  }
  std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
  if (size > 0)
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], size);
  return wide;
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
