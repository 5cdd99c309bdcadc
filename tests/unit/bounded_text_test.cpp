#include "common/bounded_text.h"
#include "common/text_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ComposeBoundedText, KeepsTheFixedTextWholeWhereItCan) {
  const std::string fixed = "\nThis error occurred when copying file: \n\tQuarry.u";
  const std::string exactSystem(255 - fixed.size(), 's');
  const std::string oneOverSystem = exactSystem + "x";
  const std::string cyrillicFixed = std::string(254, 'f') + "\xD0\x96"; // 256 bytes
  const std::string splitSystem =
      exactSystem.substr(1) + "\xE2\x82\xAC"; // cut inside the euro sign
  const struct {
    const char *name;
    const char *systemText;
    std::string fixedText;
    std::string expected;
  } cases[] = {
      {"no system text", nullptr, fixed, fixed},
      {"one over: the system's text gives way", oneOverSystem.c_str(), fixed, exactSystem + fixed},
      {"long fixed text", "sys", std::string(300, 'f'), std::string(255, 'f')},
      {"no half character of the fixed text", "sys", cyrillicFixed, std::string(254, 'f')},
      {"nor of the system's", splitSystem.c_str(), fixed, exactSystem.substr(1) + fixed},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ComposeBoundedText(c.systemText, c.fixedText), c.expected);
  }
}

TEST(FirstCharacters, CutsBetweenCharactersOfTheCodePage) {
  const std::string zhe = "\xD0\x96", euro = "\xE2\x82\xAC", clef = "\xF0\x9D\x84\x9E";
  std::string cyrillic120;
  for (int i = 0; i < 120; ++i)
    cyrillic120 += zhe;
  const struct {
    std::string text;
    std::size_t characters;
    bool utf8;
    std::string expected;
  } cases[] = {
      {cyrillic120, 99, true, cyrillic120.substr(0, 198)},
      {"ab" + euro + clef + "c", 4, true, "ab" + euro + clef},
      {"ab", 99, true, "ab"},
      {cyrillic120, 99, false, cyrillic120.substr(0, 99)}, // a single-byte code page
  };
  for (const auto &c : cases) {
    EXPECT_EQ(FirstCharacters(c.text, c.characters, c.utf8), c.expected) << c.text;
    EXPECT_EQ(CharacterCount(c.expected, c.utf8), std::min(c.characters, c.expected.size()));
  }
}

} // namespace
