// An in-memory game folder, log and desktop behind the platform, which can fail any one operation
// the way a player's machine does, or cut the process or the power off there. Its disk keeps
// sizes, names and deletions at once and in order, data once flushed: see PowerOff. Every folder
// is there: no run of the tests writes into a missing one.
#pragma once

#include "common/platform.h"

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

// How operation number `at` of a run goes wrong.
enum class FaultKind {
  None,
  Refused,    // the system says no (access denied, sharing violation): nothing happens
  DiskFull,   // a write stops part-way and says so
  ReadError,  // a read stops part-way and says so
  EmptyButOk, // a copy reports success with an empty target
  ShortButOk, // a copy reports success with half the bytes
  OldTailOk,  // a copy reports success, but the target's old tail was not cut off
  StaysButOk, // a deletion reports success, but the file is still there
  ReadOnly,   // the file to be written or deleted is read-only, from then on
  PowerCut,   // the process is cut off while the operation runs
  PowerOff,   // the power goes off once it is done: a file written since its last flush is zeros
};

struct Fault {
  int at = -1;
  FaultKind kind = FaultKind::None;
};

struct FakeGame {
  struct File {
    std::string bytes;
    bool readOnly = false;
    bool unflushed = false; // written since it was last flushed
    bool held = false;      // open in another program that shares it for reading only
    bool operator==(const File &other) const {
      return bytes == other.bytes && readOnly == other.readOnly;
    }
  };
  std::map<std::string, File> files; // by path in lower case: Windows ignores letter case
  std::string documents;             // the user's Documents folder
  std::string unreachableLauncher;   // a launcher folder whose name the code page cannot hold
  std::string kit = ".";             // the folder that holds the setup and the package files
  std::vector<std::string> log;   // entries as written; a time-stamped one starts with "[ stamp ] "
  std::vector<std::string> boxes; // of the last run: "caption: text"
  // What stops a run: the images of programs running (reached through `links`: a folder, in lower
  // case, and the one it stands for), another kit program.
  std::vector<std::string> runningImages;
  std::map<std::string, std::string> links;
  bool kitBusy = false;
  int kitFolderGoneAt = -1; // the operation at which the page's exit destroys kitFolder

  // The last run: its operations in order, the fault, the DeusEx.ini writes an exit could cut.
  std::vector<std::string> operations;
  Fault fault;
  bool faultApplied = false;
  std::vector<std::string> writesWithoutExitHeld;
  int exitHolds = 0;

  // Runs the setup, or else the uninstaller with its presence check first, on the folder entry as
  // the pages take it: 0 after a complete run, ExitProgram's code, 2 when the uninstaller refused
  // the folder, 3 when the game or another kit program runs, -2 when cut off.
  int Run(bool setup, const std::string &folder, Fault fault = {});

  // A path as the files are kept: in lower case, as Windows ignores letter case (not the kit's own
  // path comparison, which the tests check).
  static std::string Key(std::string path) {
    for (char &c : path)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
  }
  // The files as a player sees and changes them.
  std::optional<std::string> Read(const std::string &path) const {
    const auto file = files.find(Key(path));
    return file == files.end() ? std::nullopt : std::optional<std::string>(file->second.bytes);
  }
  bool Exists(const std::string &path) const { return Read(path).has_value(); }
  void Write(const std::string &path, const std::string &bytes) { files[Key(path)].bytes = bytes; }
  void SetReadOnly(const std::string &path, bool readOnly) {
    if (const auto file = files.find(Key(path)); file != files.end())
      file->second.readOnly = readOnly;
  }
  void Delete(const std::string &path) { files.erase(Key(path)); }
};

inline constexpr int refusedFolder = 2, cutOffCode = -2;
