// The modification's package files and the game sub-folder each one lives in. The setup copies
// them and the uninstaller removes them, both in this order.
#pragma once

#include <iterator>
#include <string>

// Kind codes as stored in the manifest. The list names each by its enumerator, so a code that
// names no game sub-folder does not compile.
enum PackageKind : int {
  Textures = 1,
  Maps = 2,
  System = 3,
  Music = 4,
  Sounds = 5,
};

struct PackageEntry {
  const char *fileName; // bare name with extension, no folder part
  PackageKind kind;
};

// The list itself is package_list.inc; its length is counted, never written down.
inline constexpr PackageEntry packageManifest[] = {
#define PACKAGE(kind, fileName) {fileName, kind},
#include "common/package_list.inc"
#undef PACKAGE
};
inline constexpr int packageCount = static_cast<int>(std::size(packageManifest));

// The text joined between the game folder and the file name ("\System\" and so on).
const char *KindFolderText(PackageKind kind);

// Game folder + kind folder text + file name, by plain concatenation.
std::string PackageDestinationPath(const std::string &gameFolder, const std::string &fileName,
                                   PackageKind kind);

// Where the setup keeps a file that it found at a package's destination and that is not
// Kestrevane's (another modification's file of the same name): beside it, "<name>.kes-backup". The
// uninstaller gives it back when it removes the package. A file of that name always holds what
// the player had there.
std::string KeptFilePath(const std::string &destination);

// Where the setup copies a package and reads it back before it takes the destination's name, so
// that a file at the destination is never a package cut short: "<name>.kes-new".
std::string IncomingFilePath(const std::string &destination);

// The setup reads the package files from its own program's folder, whatever the working folder
// (a script, a mod manager or a shortcut may start it from anywhere); the log and the boxes still
// name each as ".\" + file name.
std::string PackageSourceName(const std::string &fileName);
std::string PackageSourcePath(const std::string &kitFolder, const std::string &fileName);
