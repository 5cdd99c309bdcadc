#include "common/bounded_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ComposeBoundedText, KeepsTheFixedTextWholeWhereItCan) {
  const std::string fixed = "\nThis error occurred when copying file: \n\tQuarry.u";
  const std::string longFixed(300, 'f');
  const std::string exactSystem(255 - fixed.size(), 's');
  const std::string oneOverSystem = exactSystem + "x";
  const struct {
    const char *name;
    const char *systemText;
    std::string fixedText;
    std::size_t bufferSize;
    std::string expected;
  } cases[] = {
      {"fits", "Access is denied.\r\n", fixed, 256, "Access is denied.\r\n" + fixed},
      {"no system text", nullptr, fixed, 256, fixed},
      {"one over", oneOverSystem.c_str(), fixed, 256, exactSystem + fixed},
      {"long fixed text", "sys", longFixed, 256, std::string(255, 'f')},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = ComposeBoundedText(c.systemText, c.fixedText, c.bufferSize);
    EXPECT_EQ(text, c.expected);
  }
}

} // namespace
