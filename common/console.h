#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvarro {

// Thrown when a key or word is awaited and no more input can ever arrive (standard input
// closed or at its end). Only a program's entry routine catches it, ending with exit code 1,
// so that a closed input can never make a prompt loop forever.
struct EndOfInput {};

// The user's side of the dialogue: text out, keys and typed values in.
class Console {
 public:
  virtual ~Console() = default;

  // Puts text on the screen. It may be held back until the next wait for a key or a line,
  // which flushes it first.
  virtual void Write(std::string_view text) = 0;

  // Waits for one key, without Enter, and echoes it when asked. Throws EndOfInput.
  virtual char ReadKey(bool echo) = 0;

  // Reads one decimal integer from the input stream. On failure (no number, a number beyond
  // 32 bits, end of input) leaves `value` alone and leaves the stream failed, so that every
  // later ReadInt of the run fails too.
  virtual void ReadInt(std::int32_t& value) = 0;

  // Reads one word delimited by white space from the input stream. Throws EndOfInput.
  virtual std::string ReadToken() = 0;

  // Waits for one key, without echo, and forgets it: the wait before a program ends. Throws
  // EndOfInput.
  void WaitKey() { ReadKey(false); }
};

}  // namespace kelvarro
