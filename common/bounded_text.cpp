#include "common/bounded_text.h"

#include <algorithm>
#include <cstring>

std::string ComposeBoundedText(const char *systemText, const std::string &fixedText,
                               std::size_t bufferSize) {
  const std::size_t capacity = bufferSize > 0 ? bufferSize - 1 : 0;
  if (fixedText.size() >= capacity)
    return fixedText.substr(0, capacity);
  // The fixed text names what failed, so the system's wording gives way first.
  std::string text;
  if (systemText != nullptr)
    text.assign(systemText);
  text.resize(std::min(text.size(), capacity - fixedText.size()));
  return text + fixedText;
}

void CopyIntoBuffer(char *buffer, std::size_t bufferSize, const std::string &text) {
  if (buffer == nullptr || bufferSize == 0)
    return;
  const std::size_t length = std::min(text.size(), bufferSize - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}
