// The file operations of the platform on Windows: the C library's streams, as bytes, and the
// kernel's copy, move, delete and attribute calls, with the system's text for an error.
#pragma once

#include "common/platform.h"

#include <memory>
#include <string>

std::unique_ptr<std::istream> OpenReader(const std::string &path);
std::unique_ptr<std::ostream> OpenWriter(const std::string &path);
ErrorCode CopyOneFile(const std::string &from, const std::string &to);
ErrorCode MoveOneFile(const std::string &from, const std::string &to);
ErrorCode DeleteOneFile(const std::string &path);
bool FileExists(const std::string &path);
ErrorCode ClearReadOnly(const std::string &path);
ErrorCode CheckWritable(const std::string &path);
ErrorCode CheckDeletable(const std::string &path);
ErrorCode FlushOneFile(const std::string &path);
std::string SystemErrorText(ErrorCode error);
std::string AbsolutePath(const std::string &path);
