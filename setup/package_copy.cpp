#include "setup/package_copy.h"

#include "common/game_paths.h"
#include "common/installation_log.h"
#include "common/platform.h"
#include "common/program_state.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "setup/resource.h"

namespace {

// Without an earlier installation, a file at the destination that differs from the package is the
// player's (another modification's file of the same name). One kept before, by a setup that
// stopped, is never replaced: the file at the destination is then the kit's own.
// A file of zeros is what a power cut leaves of the kit's own copy whose data had not reached the
// disk (a setup that stopped), not a file of the player's.
bool IsPlayersFile(const std::string &source, const std::string &destination,
                   bool earlierInstallation) {
  return !earlierInstallation && platform->fileExists(source) &&
         platform->fileExists(destination) && !platform->fileExists(KeptFilePath(destination)) &&
         !SameContent(source, destination) && !HoldsOnlyZeros(destination);
}

// Copies the package beside the destination, reads it back, and only then gives it the
// destination's name. What is left at the destination is the kit's own file (an earlier version,
// or one left by a setup that stopped), replaced without asking, also when left read-only.
ErrorCode CopyThroughIncoming(const std::string &source, const std::string &destination) {
  const std::string incoming = IncomingFilePath(destination);
  platform->clearReadOnly(incoming); // left by a setup that stopped
  ErrorCode error = CopyVerified(source, incoming);
  if (error == 0) {
    platform->clearReadOnly(destination);
    error = platform->moveFile(incoming, destination);
  }
  // The bytes were read back under the incoming name, and a rename moves none: seeing the rename
  // done is enough (reading every package again would cost as much as the copy).
  if (error == 0 && (platform->fileExists(incoming) || !platform->fileExists(destination)))
    error = notDoneAsReported;
  if (error != 0)
    platform->deleteFile(incoming); // what was written is no package
  return error;
}

} // namespace

void CopyPackageFile(const std::string &kitFolder, const std::string &gameFolder,
                     const std::string &fileName, PackageKind kind, bool earlierInstallation) {
  platform->setText(IDC_STATUS_TEXT, "Copying file " + fileName);
  const std::string source = PackageSourcePath(kitFolder, fileName);
  const std::string destination = PackageDestinationPath(gameFolder, fileName, kind);

  // Started from the folder the package belongs in (the release unpacked into System): a copy
  // onto itself would fail, or empty the file.
  const bool inPlace = ComparablePath(source) == ComparablePath(destination);

  // Renamed, not copied: the player's file keeps its bytes and its read-only mark, and the mark
  // is never cleared.
  if (!inPlace && IsPlayersFile(source, destination, earlierInstallation)) {
    const std::string kept = KeptFilePath(destination);
    WriteLog("\n\n---> Keeping " + destination + " (not Kestrevane's) as " + kept, 0);
    if (const ErrorCode error = MoveVerified(destination, kept))
      ExitOnFileFailure(error, "keeping", fileName);
    WriteLog(" (OK)", 0);
  }

  WriteLog("\n\n---> " + PackageSourceName(fileName) + " to " + destination, 0);
  if (inPlace) {
    platform->advanceProgress(IDC_PROGRESS);
    WriteLog(" (already in place, OK)", 0);
    return;
  }
  if (const ErrorCode error = CopyThroughIncoming(source, destination))
    ExitOnFileFailure(error, "copying", fileName);
  platform->advanceProgress(IDC_PROGRESS);
  WriteLog(" (OK)", 0);
}
