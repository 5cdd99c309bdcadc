#include "common/package_manifest.h"

const std::array<PackageEntry, 16> packageManifest = {{
    {"WeatherFx.u", System},
    {"QuarryStrings.u", System},
    {"QuarryVoiceMission20.u", System},
    {"Quarry.u", System},
    {"Kestrevane.u", System},
    {"WeatherFx.utx", Textures},
    {"QuarryWorks.utx", Textures},
    {"Quarry.utx", Textures},
    {"20_Hidden_Annex.dx", Maps},
    {"20_Kestrevane_Opening.dx", Maps},
    {"20_NW_Quarry_Shafts_2.dx", Maps},
    {"20_NW_Quarry_Exit.dx", Maps},
    {"Prelude_Score.umx", Music},
    {"DeepShaftSample.umx", Music},
    {"KestrevaneEndingScore.umx", Music},
    {"VeyrholtEffects.uax", Sounds},
}};

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
