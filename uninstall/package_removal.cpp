#include "uninstall/package_removal.h"

#include "common/installation_log.h"
#include "common/platform.h"
#include "common/system_error_box.h"
#include "common/verified_files.h"
#include "uninstall/resource.h"

namespace {
constexpr ErrorCode fileNotFound = 2, pathNotFound = 3;

// A file the kit left beside a package, if it is there: a copy a setup left half-way, or the
// player's file kept aside, whose copy is back in its place. Deleted whatever attribute it has.
void DeleteLeftover(const std::string &path, const std::string &boxName) {
  if (!platform->fileExists(path))
    return;
  WriteLog("\n\n---> Deleting: " + path, 0);
  platform->clearReadOnly(path);
  if (const ErrorCode error = DeleteConfirmed(path))
    ExitOnFileFailure(error, "deleting", boxName);
  WriteLog(" (OK)", 0);
}
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

  DeleteLeftover(IncomingFilePath(fullPath), fileName);

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
  DeleteLeftover(KeptFilePath(PackageDestinationPath(gameFolder, fileName, kind)),
                 KeptFilePath(fileName));
}
