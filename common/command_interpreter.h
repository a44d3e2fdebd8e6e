#pragma once

#include <string>

namespace kelvarro {

// The platform's command interpreter: runs one command line and returns when it has ended.
// Its result is never looked at.
class CommandInterpreter {
 public:
  virtual ~CommandInterpreter() = default;
  virtual void Run(const std::string& command_line) = 0;
};

// The real interpreter, through the platform layer. Standard output is flushed first, so the
// command's own output follows everything printed so far.
class SystemInterpreter : public CommandInterpreter {
 public:
  void Run(const std::string& command_line) override;
};

}  // namespace kelvarro
