// The modification's package files and the game sub-folder each one lives in. The setup copies
// them and the uninstaller removes them, both in this order.
#pragma once

#include <iterator>
#include <string>

// Kind codes as stored in the manifest; any other value is an internal error.
enum PackageKind : int {
  Textures = 1,
  Maps = 2,
  System = 3,
  Music = 4,
  Sounds = 5,
};

struct PackageEntry {
  const char *fileName; // bare name with extension, no folder part
  int kind;             // a PackageKind code
};

// The list itself is package_list.inc; its length is counted, never written down.
inline constexpr PackageEntry packageManifest[] = {
#define PACKAGE(kind, fileName) {fileName, kind},
#include "common/package_list.inc"
#undef PACKAGE
};
inline constexpr int packageCount = static_cast<int>(std::size(packageManifest));

// The text joined between the game folder and the file name ("\System\" and so on),
// or nullptr for a code that names no kind.
const char *KindFolderText(int kind);

// Game folder + kind folder text + file name, by plain concatenation; empty for an invalid kind.
std::string PackageDestinationPath(const std::string &gameFolder, const std::string &fileName,
                                   int kind);

// ".\" + file name: the setup finds the package files in its working directory.
std::string PackageSourcePath(const std::string &fileName);
