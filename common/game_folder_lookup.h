#pragma once

#include <string>

// The game folder from the game's own registry record. Without one (Steam and GOG copies often
// lack it), the first folder that holds System\DeusEx.ini and fits the folder field among the
// folder protontricks names (under Wine), GOG's records, Steam's libraries and the program's own
// folder and its parent (game_folder_candidates.h); the empty text when there is none. Both path
// pages and the unattended run without /D= take their folder from here.
std::string GetGameFolder();
