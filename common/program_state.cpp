#include "common/program_state.h"

#include "common/platform.h"

std::string gameFolder;
std::string kitFolder = ".";
const Platform *platform = nullptr;
