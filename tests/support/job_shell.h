#pragma once

// A job-control shell in miniature, for programs run on a pseudo-terminal: it runs one program
// as a job in its own process group, in the foreground, from inside the terminal's session,
// as an interactive shell does. Only then can the program be stopped: the stop signals are
// discarded for a session leader's group, whose parent is outside the session.

namespace kelvarro::testing {

// Commands, one byte each on the command pipe, for a job that has stopped.
inline constexpr char kContinueInForeground = 'f';
inline constexpr char kContinueInBackground = 'b';
// The report that a command has been carried out: the job has been sent SIGCONT (no stop
// signal is 0).
inline constexpr unsigned char kCommandCarriedOut = 0;

// Runs in the session leader, whose standard input is the terminal. Starts `program` with
// `argv` as a job in the foreground, writes the job's process id (a pid_t) to `report_fd`,
// and waits for the job. Each time the job stops, the shell takes the terminal back, leaving
// its modes alone as a plain shell does, writes the stop signal's number as one byte to
// `report_fd`, and waits for a command on `command_fd`; once it has carried the command out it
// writes kCommandCarriedOut. Ends as the job ended: with its exit code, or killed by the same
// signal.
[[noreturn]] void RunAsJob(const char* program, char* const argv[], int report_fd, int command_fd);

}  // namespace kelvarro::testing
