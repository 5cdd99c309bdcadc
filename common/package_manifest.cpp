#include "common/package_manifest.h"

const char *KindFolderText(PackageKind kind) {
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
  }
  return ""; // not reached: the list compiles only with the five kinds
}

std::string PackageDestinationPath(const std::string &gameFolder, const std::string &fileName,
                                   PackageKind kind) {
  return gameFolder + KindFolderText(kind) + fileName;
}

std::string KeptFilePath(const std::string &destination) { return destination + ".kes-backup"; }

std::string IncomingFilePath(const std::string &destination) { return destination + ".kes-new"; }

std::string PackageSourceName(const std::string &fileName) { return ".\\" + fileName; }

std::string PackageSourcePath(const std::string &kitFolder, const std::string &fileName) {
  return kitFolder + "\\" + fileName;
}
