#include "stream_console.h"

namespace kelvarro {

void StreamConsole::Write(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.flush();
}

char StreamConsole::ReadKey(bool echo) {
  out_.flush();
  // A key is one character even after a failed number: clear the failure for this one read
  // and put it back afterwards, so that later numbers still fail.
  const bool was_failed = in_.fail();
  in_.clear();
  const std::istream::int_type c = in_.get();
  if (c == std::istream::traits_type::eof()) {
    in_.setstate(std::ios::failbit | std::ios::eofbit);
    throw EndOfInput{};
  }
  if (was_failed) in_.setstate(std::ios::failbit);
  const char key = std::istream::traits_type::to_char_type(c);
  if (echo) {
    out_.put(key);
    out_.flush();
  }
  return key;
}

bool StreamConsole::ReadInt(std::int32_t& value) {
  out_.flush();
  std::int32_t read = 0;
  if (!(in_ >> read)) return false;  // an overflow fails the stream as well
  value = read;
  return true;
}

std::string StreamConsole::ReadToken() {
  out_.flush();
  std::string token;
  if (in_ >> token) return token;
  if (in_.eof()) throw EndOfInput{};
  return token;
}

}  // namespace kelvarro
