#pragma once

#include <array>
#include <cstddef>

#include "file_system.h"

namespace kelvarro {

// Reads an InputFile one byte at a time through a block buffer.
class ByteReader {
 public:
  explicit ByteReader(InputFile& file) : file_(file) {}

  // The next byte (0..255), or -1 at the end of the file.
  int Get() {
    if (next_ == end_) {
      end_ = file_.Read(buffer_.data(), buffer_.size());
      next_ = 0;
      if (end_ == 0) return -1;
    }
    return static_cast<unsigned char>(buffer_[next_++]);
  }

 private:
  InputFile& file_;
  std::array<char, 4096> buffer_{};
  std::size_t next_ = 0;
  std::size_t end_ = 0;
};

// White space as formatted reading knows it: blank, tab, line feed, vertical tab, form feed,
// carriage return.
inline bool IsWhiteSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace kelvarro
