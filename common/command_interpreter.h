#pragma once

// The platform's command interpreter, as both programs use it. Each thing a program asks of
// it is its own operation; on Windows each hands one fixed command line to the interpreter and
// waits for its end, elsewhere the program carries the operation out itself. Results are never
// looked at.

namespace kelvarro {

inline constexpr const char* kClearScreenCommand = "cls";

// The real interpreter for a program that asks for nothing but the screen clear; tests
// override what they record.
class CommandInterpreter {
 public:
  virtual ~CommandInterpreter() = default;
  // Clears the console window: "cls" on Windows; on other systems the terminal's clear
  // sequence, written only when standard output is a terminal, as "cls" prints nothing into a
  // pipe (system_interpreter_*.cpp).
  virtual void ClearScreen();
};

// Standard output flushed, so that what a command shows follows everything printed so far.
// Every real command operation calls this first.
void FlushStandardOutput();

}  // namespace kelvarro
