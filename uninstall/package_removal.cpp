#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/platform.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "uninstall/resource.h"

namespace {
constexpr ErrorCode fileNotFound = 2, pathNotFound = 3;
} // namespace

void RemovePackageFile(const std::string &gameFolder, const std::string &fileName,
                       PackageKind kind) {
  platform->setText(IDC_STATUS_TEXT, "Deleting file " + fileName);
  const std::string fullPath = PackageDestinationPath(gameFolder, fileName, kind);
  WriteLog("\n\n---> Deleting: " + fullPath, 0);
  platform->clearReadOnly(fullPath); // the kit's own file, whatever attribute it was given
  const ErrorCode error = DeleteConfirmed(fullPath);
  // A file deleted by hand is as good as removed: it must not stop every later uninstall.
  if (error != 0 && error != fileNotFound && error != pathNotFound)
    ExitOnFileFailure(error, "deleting", fileName);
  platform->advanceProgress(IDC_PROGRESS);
  WriteLog(error == 0 ? " (OK)" : " (already deleted, OK)", 0);

  // A copy that a setup left half-way beside the package.
  const std::string incoming = IncomingFilePath(fullPath);
  if (platform->fileExists(incoming)) {
    WriteLog("\n\n---> Deleting: " + incoming, 0);
    platform->clearReadOnly(incoming);
    if (const ErrorCode incomingError = DeleteConfirmed(incoming))
      ExitOnFileFailure(incomingError, "deleting", fileName);
    WriteLog(" (OK)", 0);
  }

  // The player's own file that the setup found there goes back in its place, read-only mark and
  // all. The kept file stays until the installation is gone (DeleteKeptFile): until then a later
  // run tells by it that the file in its place is not a package.
  const std::string kept = KeptFilePath(fullPath);
  if (!platform->fileExists(kept))
    return;
  WriteLog("\n\n---> Giving back " + fullPath + " (not Kestrevane's) from " + kept, 0);
  if (const ErrorCode giveBackError = CopyVerified(kept, fullPath))
    ExitOnFileFailure(giveBackError, "giving back", fileName);
  WriteLog(" (OK)", 0);
}

void DeleteKeptFile(const std::string &gameFolder, const std::string &fileName, PackageKind kind) {
  const std::string kept = KeptFilePath(PackageDestinationPath(gameFolder, fileName, kind));
  if (!platform->fileExists(kept))
    return;
  WriteLog("\n\n---> Deleting: " + kept, 0);
  platform->clearReadOnly(kept); // a copy of what is back in its place
  if (const ErrorCode error = DeleteConfirmed(kept))
    ExitOnFileFailure(error, "deleting", fileName + ".kes-backup");
  WriteLog(" (OK)", 0);
}
