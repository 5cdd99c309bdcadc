#include "common/program_state.h"

#include "common/platform.h"

std::string gameFolder;
const Platform *platform = nullptr;
