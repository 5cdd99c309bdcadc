#include "common/program_state.h"

HINSTANCE appInstance = nullptr;
std::string gameFolder;
HWND pageWindow = nullptr;
