// Is the game, its editor or a renamed launcher running from the chosen game folder? The engine
// writes its configuration back when it ends, so neither program touches files while it runs.
#pragma once

#include <string>
#include <vector>

inline constexpr const char *runningGameCaption = "Deus Ex is running";

// Whether two paths name one file (on Windows: the same volume serial number and file index).
using SameFileTest = bool (*)(const std::string &first, const std::string &second);

// The images (full paths of running programs) that lie directly in <gameFolder>\System\, in
// their order, whatever their file name, or that are <gameFolder>\System\DeusEx.exe itself
// however their path is spelt (a link, a network path for a mapped drive, a short name).
// Letter case (ASCII) is ignored, / stands for \, and the game folder may end in a separator.
// An empty game folder matches nothing.
std::vector<std::string> ImagesRunningFrom(const std::string &gameFolder,
                                           const std::vector<std::string> &images,
                                           SameFileTest sameFile);

// The box text that names each such image on a line of its own.
std::string RunningGameText(const std::vector<std::string> &images);

// Windows only: the images of the processes running from the game folder, the calling process
// left out. A process whose image cannot be read is left out too.
std::vector<std::string> GameProcessImages(const std::string &gameFolder);
