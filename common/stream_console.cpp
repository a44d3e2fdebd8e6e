#include "common/stream_console.h"

namespace kelvarro {

StreamConsole::StreamConsole(std::istream& in, std::ostream& out) : in_(in), out_(out) {
  // Every read of the input flushes the output first: all that was printed is on the screen
  // before a key or a line is awaited, and it is not flushed anywhere else.
  in_.tie(&out_);
}

void StreamConsole::Write(std::string_view text) { out_.write(text.data(), static_cast<std::streamsize>(text.size())); }

char StreamConsole::ReadKey(bool echo) {
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
  if (echo) out_.put(key);
  return key;
}

void StreamConsole::ReadInt(std::int32_t& value) {
  std::int32_t read = 0;
  if (in_ >> read) value = read;  // an overflow fails the stream as well
}

std::string StreamConsole::ReadToken() {
  std::string token;
  if (in_ >> token) return token;
  if (in_.eof()) throw EndOfInput{};
  return token;
}

}  // namespace kelvarro
