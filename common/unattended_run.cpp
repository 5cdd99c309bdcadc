#include "common/unattended_run.h"

#include "common/boxes.h"
#include "common/command_line.h"
#include "common/game_folder_lookup.h"
#include "common/one_kit_program.h"
#include "common/page_controls.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/running_game.h"

#include <cstdlib>

void FollowCommandLine(const char *arguments, const char *programName, const char *caption,
                       void (*runUnattended)()) {
  const CommandLine line = ParseCommandLine(arguments != nullptr ? arguments : "");
  if (line.usage) {
    if (!line.silent)
      ShowBox(nullptr, UsageText(programName), caption, MB_OK | MB_ICONINFORMATION);
    std::exit(usageExitCode);
  }
  // Nothing is logged for a box the user sees; a script finds the reason in the log.
  if (AnotherKitProgramRuns()) {
    if (line.silent)
      platform->appendLog(BoxLogEntry(kitBusyCaption, kitBusyText), 1);
    else
      ShowBox(nullptr, kitBusyText, kitBusyCaption, MB_OK | MB_ICONWARNING);
    std::exit(notNowExitCode);
  }
  if (!line.silent) {
    folderFromCommandLine = line.folder;
    return;
  }
  SendBoxesToLog();
  gameFolder = GameFolderFromEntry(line.folder ? *line.folder : GetGameFolder());
  // A script can ask the player to close the game and try again: nothing has been touched.
  if (const std::vector<std::string> images = GameProcessImages(gameFolder); !images.empty()) {
    platform->appendLog(BoxLogEntry(runningGameCaption, RunningGameText(images)), 1);
    std::exit(notNowExitCode);
  }
  try {
    runUnattended();
  } catch (...) {
    ExitProgram(-1);
  }
  ExitProgram(0);
}
