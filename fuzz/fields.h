#pragma once

// Reads a fuzz input as a row of fields, so that one input can shape several things at once
// (a file's content, a path, the keys typed). Lengths come first, one or two bytes (low byte
// first); a field or number cut short by the end of the input takes what is there, and
// reading past the end gives empty fields and zeros.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvarro::fuzz {

class Fields {
 public:
  Fields(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }

  // A field whose length is given in `length_bytes` bytes (1 or 2).
  std::string Text(int length_bytes) {
    std::size_t length = Byte();
    if (length_bytes == 2) length |= std::size_t{Byte()} << 8;
    const std::string_view text = rest_.substr(0, std::min(length, rest_.size()));
    rest_.remove_prefix(text.size());
    return std::string(text);
  }

  // Four bytes, low byte first, as a two's-complement number.
  std::int32_t Int32() {
    std::uint32_t bits = 0;
    for (int shift = 0; shift < 32; shift += 8) bits |= std::uint32_t{Byte()} << shift;
    return static_cast<std::int32_t>(bits);
  }

  std::string Rest() {
    std::string rest(rest_);
    rest_ = {};
    return rest;
  }

 private:
  std::string_view rest_;
};

}  // namespace kelvarro::fuzz
