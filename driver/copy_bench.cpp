// copy_bench: what copying the kit's package files in and deleting them again costs at the least,
// for the speed bench (driver/speed_bench.py) to hold the kit against. A bare Windows program
// without window or box: it copies each package file from the kit folder into its folder of the
// game with CopyFileA, then deletes the copies with DeleteFileA, in the order of the package list.
//
// Usage: copy_bench <kit folder> <game folder>. Exit code 0, 1 when a copy or deletion failed, 2
// for a usage error.
#include "common/package_manifest.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3)
    return 2;
  const std::string kitFolder = __argv[1], gameFolder = __argv[2];
  for (const PackageEntry &package : packageManifest)
    if (!CopyFileA(PackageSourcePath(kitFolder, package.fileName).c_str(),
                   PackageDestinationPath(gameFolder, package.fileName, package.kind).c_str(),
                   FALSE))
      return 1;
  for (const PackageEntry &package : packageManifest)
    if (!DeleteFileA(PackageDestinationPath(gameFolder, package.fileName, package.kind).c_str()))
      return 1;
  return 0;
}
