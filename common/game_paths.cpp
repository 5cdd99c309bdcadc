#include "common/game_paths.h"

std::string ConfigurationPath(const std::string &gameFolder) {
  return gameFolder + "\\System\\DeusEx.ini";
}

// The two programs spell the temporary file differently; Windows file names ignore letter case,
// so both name the same file, and each keeps its own spelling for its log and messages.
std::string SetupTemporaryPath(const std::string &gameFolder) {
  return gameFolder + "\\System\\DeusEx_kes.ini";
}

std::string UninstallTemporaryPath(const std::string &gameFolder) {
  return gameFolder + "\\System\\DeusEx_Kes.ini";
}

std::string BackupPath(const std::string &gameFolder) {
  return gameFolder + "\\System\\DeusEx_Kes_Backup.ini";
}

std::string NewBackupPath(const std::string &gameFolder) {
  return gameFolder + "\\System\\DeusEx_Kes_Backup.new";
}
