#pragma once

#include <istream>
#include <ostream>

#include "common/console.h"

namespace kelvarro {

// A console over one input stream and one output stream, where keys and typed values come
// from the same stream in order: what a script, a pipe or a redirected file delivers.
// Keys are echoed to the output like a keyboard's, so that a scripted run reads the same as
// one typed by hand. A failed number read keeps the stream failed for later numbers, while
// keys are still read from it one character at a time.
class StreamConsole : public Console {
 public:
  StreamConsole(std::istream& in, std::ostream& out);

  void Write(std::string_view text) override;
  char ReadKey(bool echo) override;
  void ReadInt(std::int32_t& value) override;
  std::string ReadToken() override;

 private:
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace kelvarro
