// Deletion of one package file of the modification from the game's sub-folder for its kind.
#pragma once

#include "common/package_manifest.h"

#include <string>

// Deletes gameFolder + the kind's sub-folder + fileName, reporting on the progress page and in
// the log, and puts back the player's file that the setup kept there (KeptFilePath), if any.
// Returns once the package is gone (also when it was gone already) and the player's file is back;
// any other failure tells the user and ends the process with -1.
void RemovePackageFile(const std::string &gameFolder, const std::string &fileName,
                       PackageKind kind);

// Deletes the kept file of that package, whose copy RemovePackageFile put back in its place; once
// the installation is gone. Returns once it is gone (or was not there); a failure ends the process.
void DeleteKeptFile(const std::string &gameFolder, const std::string &fileName, PackageKind kind);
