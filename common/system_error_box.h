// The "Kestrevane Error" box of a failed file operation: the system's text for the error
// followed by a fixed text, cut to fit the 256-byte box buffer.
#pragma once

#include "common/platform.h"

#include <string>

void ShowSystemErrorBox(ErrorCode error, const std::string &fixedText);
