#include "common/package_manifest.h"

const char *KindFolderText(int kind) {
  switch (kind) {
  case Textures:
    return "\\Textures\\";
  case Maps:
    return "\\Maps\\";
  case System:
    return "\\System\\";
  case Music:
    return "\\Music\\";
  case Sounds:
    return "\\Sounds\\";
  default:
    return nullptr;
  }
}

std::string PackageDestinationPath(const std::string &gameFolder, const std::string &fileName,
                                   int kind) {
  const char *folderText = KindFolderText(kind);
  if (folderText == nullptr)
    return std::string();
  return gameFolder + folderText + fileName;
}

std::string PackageSourcePath(const std::string &fileName) { return ".\\" + fileName; }
