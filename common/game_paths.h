// Paths of the game's configuration files. Each is a folder followed by a fixed text; no
// separator is added or removed. The folder is the game folder, or the launcher's folder in the
// user's Documents, which holds the same System\DeusEx.ini for players who start the game through
// the community launcher.
#pragma once

#include <string>

std::string ConfigurationPath(const std::string &folder);      // \System\DeusEx.ini
std::string SetupTemporaryPath(const std::string &folder);     // \System\DeusEx_kes.ini
std::string UninstallTemporaryPath(const std::string &folder); // \System\DeusEx_Kes.ini
std::string BackupPath(const std::string &folder);             // \System\DeusEx_Kes_Backup.ini
// Where the backup is written and checked before it takes its name, so that a backup under that
// name is always whole, even after a power cut.
std::string NewBackupPath(const std::string &folder); // \System\DeusEx_Kes_Backup.new

// The form in which Windows compares two paths: letters in lower case (ASCII only, so no locale
// is involved), / as \, no trailing separator.
std::string ComparablePath(std::string path);

// <Documents>\Deus Ex, where the launcher keeps its System\DeusEx.ini; empty when the system
// names no Documents folder, or when that is the game folder itself.
std::string LauncherFolder(const std::string &gameFolder);

// Where the launcher's folder exists but its name cannot reach the programs (an older Windows, a
// name in another script), the log and a warning box name it: its DeusEx.ini is left as it is,
// and a player who starts the game through the launcher must learn why.
void ReportUnreachableLauncher();

// Why a folder named in another script is out of reach on an older Windows.
inline constexpr const char *unreachableNameReason =
    "this Windows cannot give its name to the program (Windows 10 version 1903 and later can).";

// The log entry ahead of the launcher configuration's own entries: "...reads <its DeusEx.ini>;
// <what is done with it>" (launcherChanged, launcherRestored, launcherRepaired).
std::string LauncherEntry(const std::string &launcherFolder, const char *whatIsDone);
inline constexpr const char *launcherChanged = "it is changed in the same way.";
inline constexpr const char *launcherRestored = "it is restored in the same way.";
inline constexpr const char *launcherRepaired =
    "it was made after the setup and has no backup: its Class and DefaultGame lines that hold "
    "Kestrevane's values get the game's own again.";
