#pragma once

// A console driven by a script: the keys and typed lines come from one text, in order, and
// everything the program shows (its echoed keys included) is captured.

#include <sstream>
#include <string>

#include "common/stream_console.h"

namespace kelvarro::testing {

// The streams come first, as a base of their own: the console ties them together when it is
// constructed.
struct ScriptStreams {
  explicit ScriptStreams(const std::string& input) : in(input) {}
  std::istringstream in;
  std::ostringstream out;
};

class ScriptedConsole : private ScriptStreams, public StreamConsole {
 public:
  explicit ScriptedConsole(const std::string& input) : ScriptStreams(input), StreamConsole(in, out) {}
  std::string Output() const { return out.str(); }
  // The input not taken yet.
  std::string Remaining() {
    std::string rest;
    std::getline(in, rest, '\0');
    return rest;
  }
};

}  // namespace kelvarro::testing
