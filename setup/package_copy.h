#pragma once

#include "common/package_manifest.h"

#include <string>

// Copies one package file from the kit's folder (the worker's copy of kitFolder) into its game
// sub-folder. Returns once it is there; a failure ends the process inside the call.
void CopyPackageFile(const std::string &kitFolder, const std::string &gameFolder,
                     const std::string &fileName, PackageKind kind);
