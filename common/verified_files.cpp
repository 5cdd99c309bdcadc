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
