#pragma once

// Starting another program where there is no Windows: the programs start only Wine's (winepath,
// and wine for the batch file), so Wine's own diagnostics are kept out unless the user has set
// WINEDEBUG. POSIX only (run_program_posix.cpp); on Windows the system does this work itself.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kelvarro::platform {

// The path of `program` in the first folder of the PATH that holds it as an executable file, not
// a folder, an empty entry standing for the current folder; "" when none does (or there is no
// PATH).
std::string FindOnPath(const std::string& program);

// How a started program meets the user's terminal.
enum class Streams {
  kShared,    // the program's own: it talks with the user, and may read what they type
  kCaptured,  // input from nothing, standard output captured, errors discarded
};

struct ProgramRun {
  enum class Outcome { kNotStarted, kEnded, kStopped };
  Outcome outcome = Outcome::kNotStarted;
  int exit_code = 0;        // when ended: its exit code, 128 when a signal ended it
  std::string output;       // when captured: all it wrote to standard output
  std::string not_started;  // when not started: why, in the system's words
};

// Runs `arguments` (the first is the program, looked for with FindOnPath) and waits until it has
// ended, not until its output closes, which a process it left behind may keep open. Standard
// output is flushed first, so that what the user was told is on the screen while it runs. With
// a `bound`, the program runs in a process group of its own, and past the bound the whole
// group is ended and the outcome is kStopped; a program that reads the terminal needs none.
ProgramRun RunProgram(const std::vector<std::string>& arguments, Streams streams,
                      std::optional<std::chrono::milliseconds> bound);

}  // namespace kelvarro::platform
