#include "common/unattended_run.h"

#include "common/boxes.h"
#include "common/code_page_text.h"
#include "common/command_line.h"
#include "common/game_folder_lookup.h"
#include "common/one_kit_program.h"
#include "common/page_controls.h"
#include "common/platform.h"
#include "common/program_exit.h"
#include "common/program_state.h"
#include "common/running_game.h"

#include <cstdlib>

namespace {

// The /D= folder in UTF-8 where the ANSI code page cannot hold its name (an older Windows, which
// ignores the programs' UTF-8 code page, hands it over with a '?' for each such character);
// nothing otherwise.
std::optional<std::string> UnreachableFolderArgument() {
  const std::wstring line = GetCommandLineW();
  if (WideInAnsiCodePage(line))
    return std::nullopt;
  // The arguments start after the program's name, quoted or up to the first blank.
  std::size_t at = 0;
  if (!line.empty() && line[0] == L'"')
    at = line.find(L'"', 1);
  at = line.find_first_of(L" \t", at == std::wstring::npos ? line.size() : at);
  const std::wstring arguments = at == std::wstring::npos ? std::wstring() : line.substr(at);
  // The program's own path may be what the code page cannot hold, and the folder fine.
  const std::optional<std::string> folder = ParseCommandLine(AsUtf8(arguments), true).folder;
  if (folder && !Utf8InAnsiCodePage(*folder))
    return folder;
  return std::nullopt;
}

} // namespace

void FollowCommandLine(const char *arguments, const char *programName, const char *caption,
                       void (*runUnattended)()) {
  const CommandLine line =
      ParseCommandLine(arguments != nullptr ? arguments : "", GetACP() == CP_UTF8);
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
  const std::optional<std::string> unreachable =
      line.folder ? UnreachableFolderArgument() : std::nullopt;
  if (!line.silent) {
    folderFromCommandLine = line.folder;
    if (unreachable) { // the path page comes up empty: another folder may be typed
      ReportUnreachableFolder(nullptr, *unreachable);
      folderFromCommandLine = std::string();
    }
    return;
  }
  SendBoxesToLog();
  if (unreachable) {
    ReportUnreachableFolder(nullptr, *unreachable);
    ExitProgram(-1);
  }
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
