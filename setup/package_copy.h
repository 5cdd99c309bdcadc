#pragma once

#include "common/package_manifest.h"

#include <string>

// Copies one package file from the kit's folder (the worker's copy of kitFolder) into its game
// sub-folder. Returns once it is
// there; a failure ends the process inside the call. Without an earlier installation
// (earlierInstallation false: no backup of DeusEx.ini), a file already at the destination that
// differs from the package is the player's: it is first kept beside it (KeptFilePath), with its
// read-only mark. A package whose source is its destination counts as copied.
void CopyPackageFile(const std::string &kitFolder, const std::string &gameFolder,
                     const std::string &fileName, PackageKind kind, bool earlierInstallation);
