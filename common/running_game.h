// Is the game, its editor or a renamed launcher running from the chosen game folder? The engine
// writes its configuration back when it ends, so neither program touches files while it runs.
#pragma once

#include <string>
#include <vector>

inline constexpr const char *runningGameCaption = "Deus Ex is running";

// The images (full paths of running programs) that lie directly in <gameFolder>\System\, in
// their order, whatever their file name. Letter case (ASCII) is ignored, / stands for \, and the
// game folder may end in a separator. An empty game folder matches nothing.
std::vector<std::string> ImagesRunningFrom(const std::string &gameFolder,
                                           const std::vector<std::string> &images);

// The box text that names each such image on a line of its own.
std::string RunningGameText(const std::vector<std::string> &images);

// Windows only: the images of the processes running from the game folder, the calling process
// left out. A process whose image cannot be read is left out too.
std::vector<std::string> GameProcessImages(const std::string &gameFolder);
