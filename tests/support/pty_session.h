#pragma once

// Runs a built program on a pseudo-terminal, the way a user at a terminal would: it types each
// key only once the program waits for a key, and each line only once the program reads lines.
// Every wait has a deadline, so a program that hangs fails its test instead of stalling it.

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarro::testing {

struct PtyOptions {
  std::string program;                   // path of the executable
  std::vector<std::string> argv;         // argv[0] first; empty means {program}
  std::string workdir = ".";             // current directory of the program
  std::vector<std::string> environment;  // extra "NAME=value" settings, "NAME" unsets; TERM is xterm
  bool stdin_from_script = false;        // standard input is a pipe holding `script`
  std::string script;                    // what that pipe delivers before it ends
  bool stdin_closed = false;             // standard input is not open at all
  std::string stdout_path;               // standard output goes to this file ("/dev/full")
  bool stdout_to_closed_pipe = false;    // standard output is a pipe nobody reads; SIGPIPE ignored
  // The program runs as a job of a small shell in the terminal's session (support/job_shell.h),
  // so that Ctrl-Z stops it and the session can continue it.
  bool as_job = false;
  // Where the tests run as root, who ignores permission bits, the program runs as the user and
  // group nobody (65534), for whom they count.
  bool as_nobody = false;
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
  // Waits until the program waits for a key, then types a character the terminal acts on
  // itself (Ctrl-Z, Ctrl-C). It is no input to the program: a later SendKey waits for key mode
  // only.
  bool SendControl(char key);
  // Sends a signal to the terminal's foreground process group, as the terminal does, and waits
  // until the group's leader has taken it (see WaitUntilTaken). Until then the terminal's mode
  // still tells what the program did before the signal, so no input may follow sooner.
  bool Signal(int signal_number);
  // Waits for the program to end and returns its exit code (-1 when it was killed or hung).
  int Finish();
  // The signal that killed the program (0 when it exited or is still running).
  int KilledBy() const { return killed_by_; }

  // Waits until the terminal is in key mode, whatever was typed before.
  bool WaitForKeyMode();
  // Waits until the terminal's foreground program sleeps, as it does in a read (Linux: /proc).
  bool WaitUntilAsleep();
  // For a job: waits until it stops and returns the stop signal (0 when it did not stop).
  int WaitForStop();
  // For a stopped job: has the shell continue it in the foreground, or in the background, and
  // waits until the job has taken the SIGCONT (see WaitUntilTaken). Continued in the
  // foreground at a read, it then waits in that read again, in the modes it chose on continuing.
  bool Continue(bool foreground);

  // The terminal's modes now, and the modes the session gave it before the program started.
  termios Modes() const;
  const termios& StartModes() const { return start_modes_; }

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
  void Ended(int status);
  // Waits until process `pid` has taken `signal_number` (Linux: /proc): it has ended or stopped,
  // or it sleeps with the signal neither pending nor held back, which rules out its handler.
  // A woken process is running until it has dealt with the signal, so a sleep that is seen
  // after the signal was sent comes after the handler.
  bool WaitUntilTaken(pid_t pid, int signal_number);
  // The next byte the job's shell reports (-1 when none comes).
  int NextJobReport();

  int master_ = -1;
  pid_t child_ = -1;
  int job_reports_ = -1;   // the shell's reports: its job, each stop, each command carried out
  int job_commands_ = -1;  // what the shell is to do with it
  pid_t job_ = -1;         // the job's process, leader of its process group
  termios start_modes_{};
  bool exited_ = false;
  int exit_code_ = -1;
  int killed_by_ = 0;
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
// The same modes: flags, control characters and speeds.
bool SameModes(const termios& a, const termios& b);

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
