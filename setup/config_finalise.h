#pragma once

#include <string>
#include <vector>

// Backs up each configuration (the game folder's first, then the launcher's) and writes its
// temporary configuration into it. Returns only when every one has been written and is on the
// disk; a failure ends the process inside the call.
void FinaliseConfigurations(const std::vector<std::string> &folders);
