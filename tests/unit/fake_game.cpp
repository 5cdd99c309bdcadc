#include "tests/unit/fake_game.h"

#include "common/command_line.h"
#include "common/game_paths.h"
#include "common/program_state.h"
#include "common/running_game.h"
#include "setup/install_worker.h"
#include "uninstall/installation_check.h"
#include "uninstall/uninstall_worker.h"

#include <algorithm>
#include <ios>
#include <sstream>

namespace {

// The end of a program run, thrown by the in-memory exit, and a run cut off.
struct ProgramEnded {
  int code;
};
struct CutOff {};

FakeGame *game = nullptr;

std::string Key(const std::string &path) { return FakeGame::Key(path); }
using File = FakeGame::File;
using Buffer = std::streambuf;
constexpr ErrorCode fileNotFound = 2, accessDenied = 5, sharingViolation = 32, diskFull = 112;

File *Find(const std::string &path) {
  const auto file = game->files.find(Key(path));
  return file == game->files.end() ? nullptr : &file->second;
}

// Counts one operation; returns how it goes wrong (None for all but the faulted one). A power cut
// ends the run at once, or, for an operation that writes, once it has written part of its bytes.
// The power goes off between the faulted operation and the next (after the last: no next).
FaultKind Operation(const char *kind, const std::string &path, bool cutPartWay = false) {
  const int number = static_cast<int>(game->operations.size());
  if (game->faultApplied && game->fault.kind == FaultKind::PowerOff) {
    for (auto &[key, file] : game->files) // the disk kept each file's size, not unflushed data
      if (file.unflushed)
        file = {std::string(file.bytes.size(), '\0'), file.readOnly, false};
    throw CutOff{};
  }
  game->operations.push_back(std::string(kind) + " " + path);
  if (number == game->kitFolderGoneAt)
    kitFolder = "destroyed";
  if (number != game->fault.at)
    return FaultKind::None;
  game->faultApplied = true;
  if (game->fault.kind == FaultKind::PowerCut && !cutPartWay)
    throw CutOff{};
  return game->fault.kind == FaultKind::PowerOff ? FaultKind::None : game->fault.kind;
}

// The read-only fault makes the file that the operation writes or deletes read-only first.
FaultKind Target(FaultKind fault, const std::string &path) {
  if (File *file = Find(path); file && fault == FaultKind::ReadOnly)
    file->readOnly = true;
  return fault;
}

// A write, copy, move or deletion of a DeusEx.ini where no exit hold covers it.
void NoteConfigurationWrite(const char *what, const std::string &path) {
  const std::string key = Key(path), configuration = "\\system\\deusex.ini";
  if (game->exitHolds == 0 && key.size() >= configuration.size() &&
      key.compare(key.size() - configuration.size(), configuration.size(), configuration) == 0)
    game->writesWithoutExitHeld.push_back(what);
}

// A read-only or held file cannot be written, replaced or deleted.
bool Blocked(const File *file) { return file && (file->readOnly || file->held); }

// Serves the first half of the bytes, then fails as a lost device does.
struct FailingReader : Buffer, std::istream {
  std::string half;
  explicit FailingReader(const std::string &bytes)
      : std::istream(this), half(bytes.substr(0, bytes.size() / 2)) {
    setg(half.data(), half.data(), half.data() + half.size());
  }
  Buffer::int_type underflow() override { throw std::ios_base::failure("read error"); }
};

// Writes into the file as it goes; a full disk takes `room` bytes and refuses the rest.
struct FileWriter : Buffer, std::ostream {
  std::string key;
  std::size_t room;
  FileWriter(std::string path, std::size_t room) : std::ostream(this), key(Key(path)), room(room) {}
  Buffer::int_type overflow(Buffer::int_type c) override {
    if (Buffer::traits_type::eq_int_type(c, Buffer::traits_type::eof()))
      return 0;
    if (room == 0)
      return Buffer::traits_type::eof();
    --room;
    game->files[key].bytes += Buffer::traits_type::to_char_type(c);
    game->files[key].unflushed = true;
    return c;
  }
};

std::unique_ptr<std::istream> OpenReader(const std::string &path) {
  const FaultKind fault = Operation("read", path);
  const File *file = Find(path);
  if (fault == FaultKind::Refused || file == nullptr)
    return nullptr;
  if (fault == FaultKind::ReadError)
    return std::make_unique<FailingReader>(file->bytes);
  return std::make_unique<std::istringstream>(file->bytes);
}

std::unique_ptr<std::ostream> OpenWriter(const std::string &path) {
  const FaultKind fault = Target(Operation("write", path, true), path);
  if (fault == FaultKind::Refused || Blocked(Find(path)))
    return nullptr;
  NoteConfigurationWrite("write", path);
  game->files[Key(path)].bytes.clear();
  if (fault == FaultKind::PowerCut)
    throw CutOff{}; // emptied, nothing written yet
  return std::make_unique<FileWriter>(path, fault == FaultKind::DiskFull ? 64 : ~std::size_t{});
}

ErrorCode CopyOne(const std::string &from, const std::string &to) {
  using K = FaultKind;
  const K fault = Target(Operation("copy", from + " -> " + to, true), to);
  const File *source = Find(from), *target = Find(to);
  if (fault == K::Refused || Blocked(target))
    return accessDenied;
  if (source == target && source) // as Windows refuses a file's copy onto itself
    return sharingViolation;
  if (!source)
    return fileNotFound;
  NoteConfigurationWrite("copy", to);
  const std::string old = target ? target->bytes : "";
  // The attributes come along, read-only too; the copy is in the cache only.
  File &copy = game->files[Key(to)] = *source;
  copy.unflushed = true;
  if (fault == K::PowerCut || fault == K::DiskFull || fault == K::ShortButOk)
    copy.bytes.resize(copy.bytes.size() / 2);
  if (fault == K::EmptyButOk)
    copy.bytes.clear();
  if (fault == K::OldTailOk)
    copy.bytes += old.substr(std::min(old.size(), copy.bytes.size()));
  if (fault == K::PowerCut)
    throw CutOff{};
  return fault == K::DiskFull ? diskFull : 0;
}

ErrorCode MoveOne(const std::string &from, const std::string &to) {
  const FaultKind fault = Target(Operation("move", from + " -> " + to), to);
  const File *source = Find(from);
  if (fault == FaultKind::Refused || Blocked(Find(to)) || (source && source->held))
    return accessDenied;
  if (!source)
    return fileNotFound;
  NoteConfigurationWrite("move", to);
  const File moved = *source;
  game->files.erase(Key(from));
  game->files[Key(to)] = moved;
  return 0;
}

ErrorCode DeleteOne(const std::string &path) {
  const FaultKind fault = Target(Operation("delete", path), path);
  const File *file = Find(path);
  if (fault == FaultKind::Refused || Blocked(file))
    return accessDenied;
  if (!file)
    return fileNotFound;
  NoteConfigurationWrite("delete", path);
  if (fault != FaultKind::StaysButOk)
    game->files.erase(Key(path));
  return 0;
}

ErrorCode ClearReadOnly(const std::string &path) {
  File *file = Find(path);
  if (Operation("attributes", path) == FaultKind::Refused || !file)
    return file ? accessDenied : fileNotFound;
  file->readOnly = false;
  return 0;
}

// The writability and deletability checks alike, and a flush, which opens the file for writing:
// a read-only or refused file fails them.
ErrorCode CheckAccess(const std::string &path, const char *kind = "check") {
  const FaultKind fault = Target(Operation(kind, path), path);
  const File *file = Find(path);
  if (fault == FaultKind::Refused || Blocked(file))
    return accessDenied;
  return file ? 0 : fileNotFound;
}

const Platform fakePlatform = {
    OpenReader,
    OpenWriter,
    CopyOne,
    MoveOne,
    DeleteOne,
    [](const std::string &path) { return game->Exists(path); },
    ClearReadOnly,
    [](const std::string &path) { return CheckAccess(path); },
    [](const std::string &path) { return CheckAccess(path); },
    [](ErrorCode) { return std::string(); }, // the system's error texts: none
    [] { return game->documents; },
    [](int, const std::string &) {},
    [](int, int) {},
    [](int) {},
    [](int) {},
    [](const std::string &text, const char *caption, unsigned) {
      game->boxes.push_back(std::string(caption) + ": " + text);
      return okAnswer;
    },
    [](const std::string &message, int stampFlag) {
      if (Operation("log", "") == FaultKind::Refused)
        return false;
      game->log.push_back((stampFlag == 1 ? "[ stamp ] " : "") + message);
      return true;
    },
    [] { ++game->exitHolds; },
    [] { --game->exitHolds; },
    [](int code) {
      if (code != 0)
        game->boxes.push_back("Setup Error: the program's error box");
      throw ProgramEnded{code};
    },
    [] { return game->unreachableLauncher; },
    [](const std::string &path) {
      const ErrorCode error = CheckAccess(path, "flush");
      if (error == 0)
        Find(path)->unflushed = false;
      return error;
    },
    // GetFullPathNameA for the entries the tests give, from the working folder C:\Games\Kit.
    [](const std::string &path) {
      return path.rfind("..\\", 0) == 0 ? "C:\\Games" + path.substr(2) : path;
    },
};

// Whether two paths name one file of the fake game, through links and "\." segments.
bool SameFakeFile(const std::string &first, const std::string &second) {
  const auto resolved = [](const std::string &path) {
    std::string key = Key(path);
    for (std::size_t at; (at = key.find("\\.\\")) != std::string::npos;)
      key.erase(at, 2);
    for (const auto &[link, target] : game->links)
      if (key.rfind(link, 0) == 0)
        key = target + key.substr(link.size());
    return key;
  };
  return resolved(first) == resolved(second) && Find(resolved(first)) != nullptr;
}

} // namespace

int FakeGame::Run(bool setup, const std::string &folder, Fault runFault) {
  game = this;
  platform = &fakePlatform;
  operations.clear();
  boxes.clear();
  fault = runFault;
  faultApplied = false;
  exitHolds = 0;
  kitFolder = kit;
  try {
    gameFolder = GameFolderFromEntry(folder);
    if (kitBusy || !ImagesRunningFrom(gameFolder, runningImages, SameFakeFile).empty())
      return notNowExitCode;
    if (!setup && CheckInstallation() < 0)
      return refusedFolder;
    setup ? RunInstallation() : RunUninstallation();
    return 0;
  } catch (const ProgramEnded &end) {
    return end.code;
  } catch (const CutOff &) {
    return cutOffCode;
  }
}
