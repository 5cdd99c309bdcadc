#pragma once

#include <string>

// The game folder from the game's own registry record, or the empty text when there is none.
std::string GetGameFolder();
