#include "common/verified_files.h"

#include <algorithm>

bool SameContent(const std::string &first, const std::string &second) {
  const auto a = platform->openReader(first);
  const auto b = platform->openReader(second);
  if (!a || !b)
    return false;
  char bufferA[65536], bufferB[sizeof bufferA];
  for (;;) {
    a->read(bufferA, sizeof bufferA);
    b->read(bufferB, sizeof bufferB);
    if (a->bad() || b->bad() || a->gcount() != b->gcount() ||
        !std::equal(bufferA, bufferA + a->gcount(), bufferB))
      return false;
    if (a->eof() || b->eof())
      return a->eof() && b->eof();
  }
}

bool HoldsOnlyZeros(const std::string &path) {
  const auto reader = platform->openReader(path);
  if (!reader)
    return false;
  char buffer[65536];
  for (;;) {
    reader->read(buffer, sizeof buffer);
    if (reader->bad() ||
        std::any_of(buffer, buffer + reader->gcount(), [](char c) { return c != '\0'; }))
      return false;
    if (reader->eof())
      return true;
  }
}

ErrorCode CopyVerified(const std::string &from, const std::string &to) {
  if (const ErrorCode error = platform->copyFile(from, to))
    return error;
  return SameContent(from, to) ? 0 : notDoneAsReported;
}

ErrorCode DeleteConfirmed(const std::string &path) {
  if (const ErrorCode error = platform->deleteFile(path))
    return error;
  return platform->fileExists(path) ? notDoneAsReported : 0;
}

std::optional<std::string> ReadWholeFile(const std::string &path) {
  const auto reader = platform->openReader(path);
  if (!reader)
    return std::nullopt;
  std::string bytes;
  char buffer[65536];
  do {
    reader->read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<std::size_t>(reader->gcount()));
  } while (*reader);
  if (reader->bad())
    return std::nullopt;
  return bytes;
}

ErrorCode ReplaceVerified(const std::string &path, const std::string &temporaryPath,
                          const std::string &bytes) {
  platform->clearReadOnly(temporaryPath); // the kit's own file, left by a run that stopped
  ErrorCode error = 0;
  if (auto writer = platform->openWriter(temporaryPath)) {
    writer->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    error = writer->flush() ? 0 : notDoneAsReported;
  } else {
    error = notDoneAsReported;
  }
  if (error == 0 && ReadWholeFile(temporaryPath) != bytes)
    error = notDoneAsReported;
  if (error == 0) // the rename reaches the disk before the data would: the data goes first
    error = platform->flushFile(temporaryPath);
  if (error == 0)
    error = platform->moveFile(temporaryPath, path);
  if (error != 0) {
    platform->deleteFile(temporaryPath);
    return error;
  }
  return ReadWholeFile(path) == bytes ? 0 : notDoneAsReported;
}

ErrorCode MoveVerified(const std::string &from, const std::string &to) {
  const std::optional<std::string> bytes = ReadWholeFile(from);
  if (!bytes)
    return notDoneAsReported;
  if (const ErrorCode error = platform->moveFile(from, to))
    return error;
  return ReadWholeFile(to) == bytes && !platform->fileExists(from) ? 0 : notDoneAsReported;
}
