#include "common/text_characters.h"

namespace {

bool ContinuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where the character after the one starting at `at` starts.
std::size_t NextCharacter(const std::string &text, std::size_t at, bool utf8) {
  ++at;
  while (utf8 && at < text.size() && ContinuesCharacter(text[at]))
    ++at;
  return at;
}

} // namespace

std::size_t CharacterCount(const std::string &text, bool utf8) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at, utf8))
    ++count;
  return count;
}

std::string FirstBytes(const std::string &text, std::size_t bytes) {
  if (bytes >= text.size())
    return text;
  std::size_t end = bytes;
  // A UTF-8 character has at most three bytes after its first.
  while (end > 0 && bytes - end < 3 && ContinuesCharacter(text[end]))
    --end;
  return text.substr(0, ContinuesCharacter(text[end]) ? bytes : end);
}

std::string FirstCharacters(const std::string &text, std::size_t characters, bool utf8) {
  std::size_t end = 0;
  for (std::size_t taken = 0; end < text.size() && taken < characters; ++taken)
    end = NextCharacter(text, end, utf8);
  return text.substr(0, end);
}
