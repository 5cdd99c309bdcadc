// The launcher's DeusEx.ini when it was made after the setup. The community launcher first reads
// the game folder's configuration and writes its own copy in Documents the first time the game
// saves its settings through it; made after the setup, that copy carries Kestrevane's Class and
// DefaultGame lines and has no backup to rebuild it from. Text work only: the uninstall worker
// reads and writes the files.
#pragma once

#include <string>
#include <vector>

struct RepairedLine {
  const char *setting; // "Class" or "DefaultGame"
  std::string before;  // the launcher's line, without its line end
  std::string after;   // the game configuration's line; empty when it has none
  bool removed;        // the game configuration has no such line, so the launcher's goes
};

struct LauncherRepair {
  std::string bytes;                 // the repaired file
  std::vector<RepairedLine> changes; // none when the file holds neither of Kestrevane's values
};

// The first Class= line and the first DefaultGame= line of the launcher's configuration (in the
// first column, wherever they stand, as the setup finds them) that hold Kestrevane's values get
// the first line of the same setting in the game configuration, or are removed when that has
// none. Every other byte stays, each line keeping its own line end (CR LF or LF).
LauncherRepair RepairLauncherConfiguration(const std::string &launcherBytes,
                                           const std::string &gameBytes);
