#include "tests/unit/fake_game.h"

#include "common/game_paths.h"
#include "common/program_state.h"
#include "setup/install_worker.h"
#include "uninstall/installation_check.h"
#include "uninstall/uninstall_worker.h"

#include <algorithm>
#include <cctype>
#include <ios>
#include <sstream>
#include <streambuf>

namespace {

FakeGame *game = nullptr;

constexpr ErrorCode fileNotFound = 2, pathNotFound = 3, accessDenied = 5, diskFull = 112;
constexpr std::size_t diskRoom = 64; // what a full disk still takes of a write

std::string Key(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return path;
}

std::string FolderOf(const std::string &key) {
  const auto separator = key.rfind('\\');
  return separator == std::string::npos ? "." : key.substr(0, separator);
}

bool FolderExists(const std::string &key) {
  const auto &folders = game->folders;
  return std::find(folders.begin(), folders.end(), FolderOf(key)) != folders.end();
}

// Counts one operation; returns the fault to apply to it (None for all but one operation).
FaultKind Operation(const char *kind, const std::string &path) {
  const int number = static_cast<int>(game->operations.size());
  game->operations.push_back(std::string(kind) + " " + path);
  if (number != game->fault.at)
    return FaultKind::None;
  game->faultApplied = true;
  return game->fault.kind;
}

[[noreturn]] void CutOffNow() {
  game->filesAtCut = game->files;
  throw CutOff{};
}

bool IsConfiguration(const std::string &path) {
  return Key(path) == Key(ConfigurationPath(gameFolder));
}

void NoteConfigurationWrite(const char *what, const std::string &path) {
  if (IsConfiguration(path) && game->exitHolds == 0)
    game->writesWithoutExitHeld.push_back(what);
}

// Serves the first half of the bytes, then fails as a lost device does.
class FailingReadBuffer : public std::streambuf {
public:
  explicit FailingReadBuffer(std::string bytes) : bytes_(bytes.substr(0, bytes.size() / 2)) {
    setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
  }

protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }

private:
  std::string bytes_;
};

// Appends to the file as it is written; with a room, refuses what goes past it.
class FileWriteBuffer : public std::streambuf {
public:
  FileWriteBuffer(std::string key, std::size_t room) : key_(std::move(key)), room_(room) {}

protected:
  int_type overflow(int_type character) override {
    if (traits_type::eq_int_type(character, traits_type::eof()))
      return traits_type::not_eof(character);
    const char c = traits_type::to_char_type(character);
    return xsputn(&c, 1) == 1 ? character : traits_type::eof();
  }
  std::streamsize xsputn(const char *text, std::streamsize count) override {
    std::string &bytes = game->files[key_].bytes;
    const auto taken = static_cast<std::streamsize>(
        std::min<std::size_t>(static_cast<std::size_t>(count), room_ - written_));
    bytes.append(text, static_cast<std::size_t>(taken));
    written_ += static_cast<std::size_t>(taken);
    return taken;
  }

private:
  std::string key_;
  std::size_t room_, written_ = 0;
};

class FakeWriter : public std::ostream {
public:
  FakeWriter(std::string key, std::size_t room) : std::ostream(nullptr), buffer_(key, room) {
    rdbuf(&buffer_);
  }

private:
  FileWriteBuffer buffer_;
};

class FakeReader : public std::istream {
public:
  explicit FakeReader(std::string bytes) : std::istream(nullptr), buffer_(std::move(bytes)) {
    rdbuf(&buffer_);
  }

private:
  FailingReadBuffer buffer_;
};

std::unique_ptr<std::istream> OpenReader(const std::string &path) {
  const FaultKind fault = Operation("read", path);
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  const auto file = game->files.find(Key(path));
  if (fault == FaultKind::Refused || file == game->files.end())
    return nullptr;
  if (fault == FaultKind::ReadError)
    return std::make_unique<FakeReader>(file->second.bytes);
  return std::make_unique<std::istringstream>(file->second.bytes);
}

std::unique_ptr<std::ostream> OpenWriter(const std::string &path) {
  const FaultKind fault = Operation("write", path);
  const std::string key = Key(path);
  const auto file = game->files.find(key);
  if (fault == FaultKind::Refused || !FolderExists(key) ||
      (file != game->files.end() && file->second.readOnly))
    return nullptr;
  NoteConfigurationWrite("write", path);
  game->files[key].bytes.clear();
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  return std::make_unique<FakeWriter>(key,
                                      fault == FaultKind::DiskFull ? diskRoom : std::string::npos);
}

ErrorCode CopyOne(const std::string &from, const std::string &to) {
  const FaultKind fault = Operation("copy", from + " -> " + to);
  const auto source = game->files.find(Key(from));
  const auto target = game->files.find(Key(to));
  if (fault == FaultKind::Refused)
    return accessDenied;
  if (source == game->files.end())
    return fileNotFound;
  if (!FolderExists(Key(to)))
    return pathNotFound;
  if (target != game->files.end() && target->second.readOnly)
    return accessDenied;
  NoteConfigurationWrite("copy", to);
  const FakeGame::File copied = source->second;
  const std::string old = target != game->files.end() ? target->second.bytes : "";
  FakeGame::File &written = game->files[Key(to)];
  written = copied; // the attributes come along, read-only too
  const std::string half = copied.bytes.substr(0, copied.bytes.size() / 2);
  switch (fault) {
  case FaultKind::PowerCut:
    written.bytes = half;
    CutOffNow();
  case FaultKind::DiskFull:
    written.bytes = half;
    return diskFull;
  case FaultKind::EmptyButOk:
    written.bytes.clear();
    return 0;
  case FaultKind::ShortButOk:
    written.bytes = half;
    return 0;
  case FaultKind::OldTailOk:
    if (old.size() > copied.bytes.size())
      written.bytes += old.substr(copied.bytes.size());
    return 0;
  default:
    return 0;
  }
}

ErrorCode MoveOne(const std::string &from, const std::string &to) {
  const FaultKind fault = Operation("move", from + " -> " + to);
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  const auto source = game->files.find(Key(from));
  const auto target = game->files.find(Key(to));
  if (fault == FaultKind::Refused)
    return accessDenied;
  if (source == game->files.end())
    return fileNotFound;
  if (target != game->files.end() && target->second.readOnly)
    return accessDenied;
  NoteConfigurationWrite("move", to);
  const FakeGame::File moved = source->second;
  game->files.erase(source);
  game->files[Key(to)] = moved;
  return 0;
}

ErrorCode DeleteOne(const std::string &path) {
  const FaultKind fault = Operation("delete", path);
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  const auto file = game->files.find(Key(path));
  if (fault == FaultKind::Refused)
    return accessDenied;
  if (file == game->files.end())
    return fileNotFound;
  if (file->second.readOnly)
    return accessDenied;
  NoteConfigurationWrite("delete", path);
  if (fault != FaultKind::StaysButOk)
    game->files.erase(file);
  return 0;
}

bool FileExists(const std::string &path) { return game->Exists(path); }

ErrorCode ClearReadOnly(const std::string &path) {
  const FaultKind fault = Operation("attributes", path);
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  const auto file = game->files.find(Key(path));
  if (fault == FaultKind::Refused)
    return accessDenied;
  if (file == game->files.end())
    return fileNotFound;
  file->second.readOnly = false;
  return 0;
}

std::string SystemErrorText(ErrorCode error) {
  switch (error) {
  case fileNotFound:
    return "File not found.\r\n";
  case pathNotFound:
    return "Path not found.\r\n";
  case accessDenied:
    return "Access denied.\r\n";
  case diskFull:
    return "Disk full.\r\n";
  default:
    return "";
  }
}

void SetText(int, const std::string &) {}
void SetProgressRange(int, int) {}
void AdvanceProgress(int) {}
void ShowControl(int) {}

int ShowBox(const std::string &text, const char *caption, unsigned) {
  game->boxes.push_back(std::string(caption) + ": " + text);
  return okAnswer;
}

bool AppendLog(const std::string &message, int stampFlag) {
  const FaultKind fault = Operation("log", "");
  if (fault == FaultKind::PowerCut)
    CutOffNow();
  if (fault == FaultKind::Refused || !game->logWritable)
    return false;
  game->log.push_back((stampFlag == 1 ? "[ stamp ] " : "") + message);
  return true;
}

void HoldExit() { ++game->exitHolds; }
void ReleaseExit() { --game->exitHolds; }

void EndProgram(int code) {
  if (code != 0)
    game->boxes.push_back("Setup Error: the program's error box");
  throw ProgramEnded{code};
}

const Platform fakePlatform = {
    OpenReader,    OpenWriter,      CopyOne,  MoveOne,          DeleteOne,       FileExists,
    ClearReadOnly, SystemErrorText, SetText,  SetProgressRange, AdvanceProgress, ShowControl,
    ShowBox,       AppendLog,       HoldExit, ReleaseExit,      EndProgram,
};

template <typename Run>
int RunProgram(FakeGame &fake, const std::string &folder, Fault fault, Run run) {
  game = &fake;
  platform = &fakePlatform;
  fake.operations.clear();
  fake.fault = fault;
  fake.faultApplied = false;
  fake.filesAtCut.reset();
  fake.exitHolds = 0;
  gameFolder = folder;
  try {
    return run();
  } catch (const ProgramEnded &end) {
    return end.code;
  } catch (const CutOff &) {
    fake.files = *fake.filesAtCut;
    return cutOffCode;
  }
}

} // namespace

int FakeGame::RunSetup(const std::string &folder, Fault fault) {
  return RunProgram(*this, folder, fault, [] { return RunInstallation(); });
}

int FakeGame::RunUninstall(const std::string &folder, Fault fault) {
  return RunProgram(*this, folder, fault, [] {
    if (CheckInstallation() < 0)
      return refusedFolder;
    RunUninstallation();
  });
}

std::optional<std::string> FakeGame::Read(const std::string &path) const {
  const auto file = files.find(Key(path));
  if (file == files.end())
    return std::nullopt;
  return file->second.bytes;
}

void FakeGame::Write(const std::string &path, const std::string &bytes) {
  files[Key(path)].bytes = bytes;
  const std::string folder = FolderOf(Key(path));
  if (std::find(folders.begin(), folders.end(), folder) == folders.end())
    folders.push_back(folder);
}
