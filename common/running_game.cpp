#include "common/running_game.h"

#include "common/game_paths.h"

std::vector<std::string> ImagesRunningFrom(const std::string &gameFolder,
                                           const std::vector<std::string> &images,
                                           SameFileTest sameFile) {
  const std::string folder = ComparablePath(gameFolder);
  std::vector<std::string> running;
  if (folder.empty())
    return running;
  const std::string systemFolder = folder + "\\system\\";
  for (const std::string &image : images) {
    const std::string path = ComparablePath(image);
    bool inSystemFolder = path.size() > systemFolder.size() &&
                          path.compare(0, systemFolder.size(), systemFolder) == 0 &&
                          path.find('\\', systemFolder.size()) == std::string::npos;
    if (inSystemFolder || sameFile(image, gameFolder + "\\System\\DeusEx.exe"))
      running.push_back(image);
  }
  return running;
}

std::string RunningGameText(const std::vector<std::string> &images) {
  std::string text = "Deus Ex is running from this game folder:\n";
  for (size_t i = 0; i < images.size(); ++i)
    text += (i == 0 ? "" : "\n") + images[i];
  return text + "\n\nPlease close it, then press NEXT again.";
}
