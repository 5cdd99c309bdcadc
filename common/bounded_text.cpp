#include "common/bounded_text.h"

#include "common/text_characters.h"

std::string ComposeBoundedText(const char *systemText, const std::string &fixedText,
                               std::size_t bufferSize) {
  const std::size_t capacity = bufferSize > 0 ? bufferSize - 1 : 0;
  if (fixedText.size() >= capacity)
    return FirstBytes(fixedText, capacity);
  // The fixed text names what failed, so the system's wording gives way first.
  std::string text;
  if (systemText != nullptr)
    text.assign(systemText);
  return FirstBytes(text, capacity - fixedText.size()) + fixedText;
}
