// Deletion of one package file of the modification from the game's sub-folder for its kind.
#pragma once

#include <string>

// Deletes gameFolder + the kind's sub-folder + fileName, reporting on the progress page and in
// the log. Returns 0 after a successful deletion; any failure, and a kind that names no
// sub-folder, tells the user and ends the process with -1.
int RemovePackageFile(std::string gameFolder, std::string fileName, int kind);
