#include "common/windows_files.h"

#include "common/process_end.h"

#include <windows.h>

#include <fstream>

std::unique_ptr<std::istream> OpenReader(const std::string &path) {
  StopIfProcessEnds();
  auto reader = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
  if (!*reader)
    return nullptr;
  return reader;
}

std::unique_ptr<std::ostream> OpenWriter(const std::string &path) {
  StopIfProcessEnds();
  auto writer =
      std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!*writer)
    return nullptr;
  return writer;
}

namespace {
ErrorCode ResultOf(BOOL succeeded) { return succeeded ? 0 : GetLastError(); }
} // namespace

ErrorCode CopyOneFile(const std::string &from, const std::string &to) {
  StopIfProcessEnds();
  return ResultOf(CopyFileA(from.c_str(), to.c_str(), FALSE));
}

ErrorCode MoveOneFile(const std::string &from, const std::string &to) {
  StopIfProcessEnds();
  return ResultOf(
      MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

ErrorCode DeleteOneFile(const std::string &path) {
  StopIfProcessEnds();
  return ResultOf(DeleteFileA(path.c_str()));
}

bool FileExists(const std::string &path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ErrorCode ClearReadOnly(const std::string &path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return GetLastError();
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
    return 0;
  return ResultOf(SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
}

namespace {
// Opens the file with the access asked for, sharing everything, and closes it again: the open
// fails as the real write or deletion would (denied, or held by another program), and changes
// nothing.
ErrorCode OpenAndClose(const std::string &path, DWORD access) {
  HANDLE file =
      CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError();
  CloseHandle(file);
  return 0;
}
} // namespace

ErrorCode CheckWritable(const std::string &path) {
  StopIfProcessEnds();
  return OpenAndClose(path, GENERIC_WRITE);
}

ErrorCode CheckDeletable(const std::string &path) {
  StopIfProcessEnds();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return GetLastError();
  // Opening a read-only file for deletion succeeds; deleting it does not.
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return ERROR_ACCESS_DENIED;
  return OpenAndClose(path, DELETE);
}

// FlushFileBuffers needs a handle with write access (Wine: an fsync of that descriptor, which
// puts every write of the file on disk, whichever handle made it).
ErrorCode FlushOneFile(const std::string &path) {
  StopIfProcessEnds();
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return GetLastError();
  const ErrorCode error = ResultOf(FlushFileBuffers(file));
  CloseHandle(file);
  return error;
}

// The size asked for first: under the UTF-8 code page a path of MAX_PATH characters takes more
// bytes than that.
std::string AbsolutePath(const std::string &path) {
  const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0)
    return path; // a path the system cannot make absolute is left as given
  std::string full(needed, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), needed, &full[0], nullptr);
  if (length == 0 || length >= needed)
    return path;
  full.resize(length);
  return full;
}

std::string SystemErrorText(ErrorCode error) {
  char *text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                     FORMAT_MESSAGE_FROM_SYSTEM,
                 nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<char *>(&text), 0, nullptr);
  const std::string result = text != nullptr ? text : "";
  LocalFree(text);
  return result;
}
