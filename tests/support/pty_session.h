#pragma once

// Runs a built program on a pseudo-terminal, the way a user at a terminal would: it types each
// key only once the program waits for a key, and each line only once the program reads lines.
// Every wait has a deadline, so a program that hangs fails its test instead of stalling it.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarro::testing {

struct PtyOptions {
  std::string program;                    // path of the executable
  std::vector<std::string> argv;          // argv[0] first; empty means {program}
  std::string workdir = ".";              // current directory of the program
  std::vector<std::string> environment;   // extra "NAME=value" settings
  bool stdin_from_script = false;         // standard input is a pipe holding `script`
  std::string script;                     // what that pipe delivers before it ends
  std::chrono::milliseconds timeout{10000};
};

class PtySession {
 public:
  explicit PtySession(const PtyOptions& options);
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  // Waits until `text` appears in the transcript behind the previous match.
  bool Expect(std::string_view text);
  // The same for a program whose console draws the screen itself (Wine's does, with cursor
  // moves for blanks): terminal control sequences and white space are left out on both sides.
  bool ExpectOnScreen(std::string_view text);
  // Waits until the program waits for a key, then types it.
  bool SendKey(char key);
  // Waits until the program reads lines, then types `line` and Enter.
  bool SendLine(std::string_view line);
  // Types `bytes` at once, whatever mode the terminal is in (Wine's console keeps it raw).
  bool TypeNow(std::string_view bytes) { return Type(bytes); }
  // Waits for the program to end and returns its exit code (-1 when it was killed or hung).
  int Finish();

  // Everything shown on the terminal so far, with CR LF folded to LF.
  std::string Transcript() const;
  bool TimedOut() const { return timed_out_; }

 private:
  bool Pump(int wait_ms);
  bool WaitFor(bool (PtySession::*ready)() const);
  bool OutputGrew() const { return output_.size() > output_at_last_input_; }
  bool InKeyMode() const;
  bool InLineMode() const;
  bool Type(std::string_view bytes);

  int master_ = -1;
  pid_t child_ = -1;
  bool exited_ = false;
  int exit_code_ = -1;
  bool timed_out_ = false;
  std::string output_;
  std::size_t matched_ = 0;
  std::size_t matched_on_screen_ = 0;
  std::size_t output_at_last_input_ = 0;
  bool sent_input_ = false;
  std::chrono::steady_clock::time_point deadline_;
};

// `text` without terminal control sequences (ESC [ ... letter) and without white space.
std::string ScreenLetters(std::string_view text);

// Reads a whole file as bytes ("" when it is missing).
std::string ReadBytes(const std::string& path);
// Writes a file as bytes, creating it or cutting it.
void WriteBytes(const std::string& path, const std::string& bytes);

// A fresh, empty directory below the system's temporary directory, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

}  // namespace kelvarro::testing
