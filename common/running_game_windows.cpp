// QueryFullProcessImageNameA came with Windows Vista; MinGW declares it only from that version.
#if !defined(_WIN32_WINNT) || _WIN32_WINNT < 0x0600
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#endif

#include "common/running_game.h"

#include <windows.h>

#include <tlhelp32.h>

namespace {

// The full path of a process's program file, or nothing where it cannot be read (a process of
// another user, or one that has just ended).
bool ReadImage(DWORD processId, std::string &image) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process)
    return false;
  std::vector<char> buffer(32768); // the longest path Windows has
  DWORD size = static_cast<DWORD>(buffer.size());
  bool read = QueryFullProcessImageNameA(process, 0, buffer.data(), &size) != FALSE;
  CloseHandle(process);
  if (read)
    image.assign(buffer.data(), size);
  return read;
}

std::vector<std::string> RunningImages() {
  std::vector<std::string> images;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return images;
  const DWORD self = GetCurrentProcessId();
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    std::string image;
    if (entry.th32ProcessID != self && ReadImage(entry.th32ProcessID, image))
      images.push_back(image);
  }
  CloseHandle(snapshot);
  return images;
}

// The volume serial number and the file index name a file whatever path reaches it.
bool SameFile(const std::string &first, const std::string &second) {
  BY_HANDLE_FILE_INFORMATION identities[2] = {};
  const std::string *paths[2] = {&first, &second};
  for (int i = 0; i < 2; ++i) {
    // No access asked for and every sharing allowed: a running program's image opens too.
    HANDLE file =
        CreateFileA(paths[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
      return false;
    const bool read = GetFileInformationByHandle(file, &identities[i]) != FALSE;
    CloseHandle(file);
    if (!read)
      return false;
  }
  return identities[0].dwVolumeSerialNumber == identities[1].dwVolumeSerialNumber &&
         identities[0].nFileIndexHigh == identities[1].nFileIndexHigh &&
         identities[0].nFileIndexLow == identities[1].nFileIndexLow;
}

} // namespace

std::vector<std::string> GameProcessImages(const std::string &gameFolder) {
  return ImagesRunningFrom(gameFolder, RunningImages(), SameFile);
}
