#include "common/system_error_box.h"

#include "common/bounded_text.h"

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText) {
  const std::string systemText = platform->systemErrorText(error);
  platform->showBox(
      ComposeBoundedText(systemText.empty() ? nullptr : systemText.c_str(), fixedText),
      "Kestrevane Error", okBox | warningIcon);
}
