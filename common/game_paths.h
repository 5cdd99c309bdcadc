// Paths of the game's configuration files. Each is the game folder followed by a fixed text;
// no separator is added or removed.
#pragma once

#include <string>

std::string ConfigurationPath(const std::string &gameFolder);      // \System\DeusEx.ini
std::string SetupTemporaryPath(const std::string &gameFolder);     // \System\DeusEx_kes.ini
std::string UninstallTemporaryPath(const std::string &gameFolder); // \System\DeusEx_Kes.ini
std::string BackupPath(const std::string &gameFolder);             // \System\DeusEx_Kes_Backup.ini
// Where the backup is written and checked before it takes its name, so that a backup under that
// name is always whole, even after a power cut.
std::string NewBackupPath(const std::string &gameFolder); // \System\DeusEx_Kes_Backup.new
