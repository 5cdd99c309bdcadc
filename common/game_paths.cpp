#include "common/game_paths.h"

#include "common/platform.h"

#include <algorithm>
#include <cctype>

std::string ConfigurationPath(const std::string &folder) { return folder + "\\System\\DeusEx.ini"; }

// The setup writes the temporary file as DeusEx_kes.ini and the uninstaller deletes it as
// DeusEx_Kes.ini: Windows file names ignore letter case, so both name one file. The spelling
// shows only in the log entries that name the whole path.
std::string SetupTemporaryPath(const std::string &folder) {
  return folder + "\\System\\DeusEx_kes.ini";
}

std::string UninstallTemporaryPath(const std::string &folder) {
  return folder + "\\System\\DeusEx_Kes.ini";
}

std::string BackupPath(const std::string &folder) {
  return folder + "\\System\\DeusEx_Kes_Backup.ini";
}

std::string NewBackupPath(const std::string &folder) {
  return folder + "\\System\\DeusEx_Kes_Backup.new";
}

namespace {

std::string Comparable(std::string folder) {
  std::replace(folder.begin(), folder.end(), '/', '\\');
  while (!folder.empty() && folder.back() == '\\')
    folder.pop_back();
  std::transform(folder.begin(), folder.end(), folder.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folder;
}

} // namespace

std::string LauncherFolder(const std::string &gameFolder) {
  const std::string documents = platform->documentsFolder();
  if (documents.empty())
    return std::string();
  const std::string folder = documents + "\\Deus Ex";
  // A game installed in Documents\Deus Ex has one configuration, not two.
  return Comparable(folder) == Comparable(gameFolder) ? std::string() : folder;
}

std::string LauncherEntry(const std::string &launcherFolder, const char *howHandled) {
  return "\n\nLAUNCHER CONFIGURATION\n======================\n\nThe game is started through a "
         "launcher that reads " +
         ConfigurationPath(launcherFolder) + "; it is " + howHandled + " in the same way.";
}
