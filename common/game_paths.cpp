#include "common/game_paths.h"

#include "common/installation_log.h"
#include "common/platform.h"

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

std::string ComparablePath(std::string path) {
  for (char &c : path)
    c = c == '/' ? '\\' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  while (!path.empty() && path.back() == '\\')
    path.pop_back();
  return path;
}

std::string LauncherFolder(const std::string &gameFolder) {
  const std::string documents = platform->documentsFolder();
  if (documents.empty())
    return std::string();
  const std::string folder = documents + "\\Deus Ex";
  // A game installed in Documents\Deus Ex has one configuration, not two.
  return ComparablePath(folder) == ComparablePath(gameFolder) ? std::string() : folder;
}

void ReportUnreachableLauncher() {
  const std::string folder = platform->unreachableLauncherFolder();
  if (folder.empty())
    return;
  const std::string reason =
      std::string(unreachableNameReason) + " Its System\\DeusEx.ini is left as it is.";
  WriteLog("\n\n---> Cannot reach the launcher's folder " + folder + ": " + reason, 0);
  platform->showBox("Kestrevane cannot reach the launcher's folder\n" + folder + "\n" + reason,
                    "Launcher configuration", okBox | warningIcon);
}

std::string LauncherEntry(const std::string &launcherFolder, const char *whatIsDone) {
  return "\n\nLAUNCHER CONFIGURATION\n======================\n\nThe game is started through a "
         "launcher that reads " +
         ConfigurationPath(launcherFolder) + "; " + whatIsDone;
}
