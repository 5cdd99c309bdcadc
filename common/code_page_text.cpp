#include "common/code_page_text.h"

#include <windows.h>

namespace {

// The conversion to codePage, or nothing where a character would be lost. UTF-8 takes neither
// the used-default flag nor the best-fit one: there only an unpaired surrogate can be lost.
std::optional<std::string> Converted(const std::wstring &text, UINT codePage) {
  if (text.empty())
    return std::string();
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL *usedDefaultFlag = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr,
                                       usedDefaultFlag);
  if (size <= 0 || usedDefault)
    return std::nullopt;
  std::string converted(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(codePage, flags, text.data(), length, &converted[0], size, nullptr,
                          usedDefaultFlag) != size ||
      usedDefault)
    return std::nullopt;
  return converted;
}

// The text widened from codePage; the empty text where the flags refuse it.
std::wstring Widened(const std::string &text, UINT codePage, DWORD flags) {
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
  if (size <= 0)
    return std::wstring();
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), length, &wide[0], size);
  return wide;
}

} // namespace

std::optional<std::string> WideInAnsiCodePage(const std::wstring &text) {
  return Converted(text, GetACP());
}

std::string AsUtf8(const std::wstring &text) { return Converted(text, CP_UTF8).value_or(""); }

std::wstring FromUtf8(const std::string &text) {
  return Widened(text, CP_UTF8, MB_ERR_INVALID_CHARS);
}

std::wstring FromAnsiCodePage(const std::string &text) { return Widened(text, CP_ACP, 0); }

std::optional<std::string> Utf8InAnsiCodePage(const std::string &utf8) {
  return WideInAnsiCodePage(FromUtf8(utf8));
}
