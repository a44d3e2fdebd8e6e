#pragma once

// A console driven by a script: the keys and typed lines come from one text, in order, and
// everything the program shows (its echoed keys included) is captured.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "common/command_interpreter.h"
#include "common/stream_console.h"

namespace kelvarro::testing {

class ScriptedConsole : public StreamConsole {
 public:
  explicit ScriptedConsole(const std::string& input) : StreamConsole(in_, out_), in_(input) {}
  std::string Output() const { return out_.str(); }

 private:
  // Constructed before the base uses them: the base only stores the references.
  std::istringstream in_;
  std::ostringstream out_;
};

// Records the command lines handed over, and runs an optional action for each, for example to
// write the listing a "dir" would write.
class RecordingInterpreter : public CommandInterpreter {
 public:
  std::vector<std::string> commands;
  std::function<void(const std::string&)> action;

  void Run(const std::string& command_line) override {
    commands.push_back(command_line);
    if (action) action(command_line);
  }
};

}  // namespace kelvarro::testing
