#pragma once

#include <string>

// Copies one package file from the working directory into its game sub-folder. Returns 0;
// a failure ends the process inside the call.
int CopyPackageFile(std::string gameFolder, std::string fileName, int kind);
