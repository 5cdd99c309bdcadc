// Stream buffers that fail on purpose, to drive the write- and read-error paths.
#pragma once

#include <cstddef>
#include <ios>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>

// Accepts the first `capacity` characters, then refuses every further one, as a full disk does.
class FailingSinkBuffer : public std::streambuf {
public:
  explicit FailingSinkBuffer(std::size_t capacity) : capacity_(capacity) {}
  const std::string &accepted() const { return accepted_; }

protected:
  int_type overflow(int_type character) override {
    if (traits_type::eq_int_type(character, traits_type::eof()))
      return traits_type::not_eof(character);
    if (accepted_.size() >= capacity_)
      return traits_type::eof();
    accepted_.push_back(traits_type::to_char_type(character));
    return character;
  }

private:
  std::size_t capacity_;
  std::string accepted_;
};

// Serves `text`, then fails the next read with an error, as a file on a lost device does.
class FailingSourceBuffer : public std::streambuf {
public:
  explicit FailingSourceBuffer(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

protected:
  int_type underflow() override { throw std::ios_base::failure("device lost"); }

private:
  std::string text_;
};

// Takes every character into its buffer but cannot deliver them: only a flush reveals the fault.
class FailingFlushBuffer : public std::streambuf {
public:
  FailingFlushBuffer() { setp(area_, area_ + sizeof area_); }

protected:
  int sync() override { return -1; }

private:
  char area_[4096];
};
