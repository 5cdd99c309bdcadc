// The sixteen package files of the modification and the game sub-folder each one lives in.
// The setup copies them and the uninstaller removes them, both in this order.
#pragma once

#include <array>
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

extern const std::array<PackageEntry, 16> packageManifest;

// The text joined between the game folder and the file name ("\System\" and so on),
// or nullptr for a code that names no kind.
const char *KindFolderText(int kind);

// Game folder + kind folder text + file name, by plain concatenation; empty for an invalid kind.
std::string PackageDestinationPath(const std::string &gameFolder, const std::string &fileName,
                                   int kind);

// ".\" + file name: the setup finds the package files in its working directory.
std::string PackageSourcePath(const std::string &fileName);
