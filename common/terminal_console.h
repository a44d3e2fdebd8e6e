#pragma once

#include "common/stream_console.h"

namespace kelvarro {

// The program's real console: standard output, and standard input for typed values. When
// standard input is a terminal, keys come straight from it, one at a time without Enter;
// otherwise they come from the standard input stream like the typed values.
class TerminalConsole : public StreamConsole {
 public:
  TerminalConsole();
  char ReadKey(bool echo) override;

 private:
  bool keys_from_terminal_;
};

}  // namespace kelvarro
