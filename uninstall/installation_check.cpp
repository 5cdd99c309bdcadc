#include "uninstall/installation_check.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/platform.h"
#include "common/program_state.h"

int CheckInstallation() {
  // Only the success of the open counts: without a readable backup the worker would have
  // nothing to rebuild DeusEx.ini from.
  const auto backup = platform->openReader(BackupPath(gameFolder));
  if (!backup) {
    WriteLog("\n\nERROR: Kestrevane is not installed in the specified directory ( " + gameFolder +
                 " )",
             0);
    return -1;
  }
  WriteLog("\n\n---> A valid install of Kestrevane was found ( " + gameFolder +
               " )\n---> Proceeding to uninstall.",
           0);
  return 0;
}
