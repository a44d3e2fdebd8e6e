#include "pty_session.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "job_shell.h"

namespace kelvarro::testing {

namespace {

termios SessionModes() {
  termios settings{};
  cfmakeraw(&settings);
  settings.c_iflag = ICRNL;
  settings.c_oflag = OPOST | ONLCR;
  settings.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK;
  settings.c_cflag = CS8 | CREAD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VEOF] = 4;
  settings.c_cc[VERASE] = 127;
  settings.c_cc[VINTR] = 3;
  settings.c_cc[VSUSP] = 0x1a;
  cfsetispeed(&settings, B38400);
  cfsetospeed(&settings, B38400);
  return settings;
}

void Redirect(int from, int to) {
  dup2(from, to);
  close(from);
}

// In the child, on the terminal: the standard streams as asked for, then the program.
[[noreturn]] void StartProgram(const PtyOptions& options, int script_reader, char* const argv[], int job_reports,
                               int job_commands) {
  if (options.stdin_from_script) Redirect(script_reader, STDIN_FILENO);
  if (options.stdout_to_closed_pipe) {
    int out[2] = {-1, -1};
    if (pipe(out) != 0) _exit(126);
    close(out[0]);
    Redirect(out[1], STDOUT_FILENO);
    signal(SIGPIPE, SIG_IGN);
  } else if (!options.stdout_path.empty()) {
    const int out = open(options.stdout_path.c_str(), O_WRONLY);
    if (out < 0) _exit(126);
    Redirect(out, STDOUT_FILENO);
  }
  const rlimit no_core{0, 0};  // a program killed by SIGQUIT leaves no core file behind
  setrlimit(RLIMIT_CORE, &no_core);
  if (chdir(options.workdir.c_str()) != 0) _exit(126);
  if (options.as_nobody && geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
    _exit(126);
  }
  // A terminal that clears, whatever the tests were started from; a setting without "=" unsets.
  setenv("TERM", "xterm", 1);
  for (const std::string& setting : options.environment) {
    if (setting.find('=') == std::string::npos) {
      unsetenv(setting.c_str());
    } else {
      putenv(::strdup(setting.c_str()));
    }
  }
  // The shell hands the terminal to its job through its own standard input.
  if (options.as_job) RunAsJob(options.program.c_str(), argv, job_reports, job_commands);
  if (options.stdin_closed) close(STDIN_FILENO);
  execv(options.program.c_str(), argv);
  _exit(127);
}

}  // namespace

PtySession::PtySession(const PtyOptions& options) : start_modes_(SessionModes()) {
  deadline_ = std::chrono::steady_clock::now() + options.timeout;
  int script_pipe[2] = {-1, -1};
  if (options.stdin_from_script && pipe(script_pipe) != 0) return;
  int reports[2] = {-1, -1};
  int commands[2] = {-1, -1};
  if (options.as_job && (pipe2(reports, O_CLOEXEC) != 0 || pipe2(commands, O_CLOEXEC) != 0)) return;

  std::vector<std::string> args = options.argv.empty() ? std::vector<std::string>{options.program} : options.argv;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  termios settings = start_modes_;
  child_ = forkpty(&master_, nullptr, &settings, nullptr);
  if (child_ == 0) {
    if (options.stdin_from_script) close(script_pipe[1]);
    StartProgram(options, script_pipe[0], argv.data(), reports[1], commands[0]);
  }
  if (options.as_job) {
    close(reports[1]);
    close(commands[0]);
    job_reports_ = reports[0];
    job_commands_ = commands[1];
    // The shell reports its job at once; an end of the pipe instead means it never started one.
    pid_t job = -1;
    ssize_t n = 0;
    while ((n = read(job_reports_, &job, sizeof job)) < 0 && errno == EINTR) {
    }
    if (n == static_cast<ssize_t>(sizeof job)) job_ = job;
  }
  if (options.stdin_from_script) {
    close(script_pipe[0]);
    if (child_ > 0) {
      const char* data = options.script.data();
      std::size_t left = options.script.size();
      while (left > 0) {
        const ssize_t n = write(script_pipe[1], data, left);
        if (n <= 0) break;
        data += n;
        left -= static_cast<std::size_t>(n);
      }
    }
    close(script_pipe[1]);
  }
  if (master_ >= 0) fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtySession::~PtySession() {
  if (child_ > 0 && !exited_) {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }
  for (int fd : {master_, job_reports_, job_commands_}) {
    if (fd >= 0) close(fd);
  }
}

void PtySession::Ended(int status) {
  exited_ = true;
  exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  killed_by_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// Takes in what output there is, waiting at most `wait_ms` for some. False once the program
// has ended and its output is drained, or the deadline has passed.
bool PtySession::Pump(int wait_ms) {
  if (master_ < 0) return false;
  if (std::chrono::steady_clock::now() > deadline_) {
    timed_out_ = true;
    return false;
  }
  pollfd pfd{master_, POLLIN, 0};
  const int ready = poll(&pfd, 1, wait_ms);
  bool hung_up = false;
  if (ready > 0) {
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) {
      output_.append(buffer, static_cast<std::size_t>(n));
      return true;
    }
    if (n < 0 && errno == EAGAIN) return true;
    hung_up = true;  // EIO: the program has closed the terminal
  }
  if (!exited_ && child_ > 0) {
    int status = 0;
    if (waitpid(child_, &status, WNOHANG) == child_) Ended(status);
  }
  if (exited_ && (hung_up || ready == 0)) {  // ended: take in whatever is still buffered
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(master_, buffer, sizeof buffer)) > 0) output_.append(buffer, static_cast<std::size_t>(n));
    return false;
  }
  if (hung_up) usleep(1000);
  return true;
}

bool PtySession::Expect(std::string_view text) {
  for (;;) {
    const std::string shown = Transcript();
    const std::size_t at = shown.find(text, matched_);
    if (at != std::string::npos) {
      matched_ = at + text.size();
      return true;
    }
    if (!Pump(20)) return false;
  }
}

bool PtySession::ExpectOnScreen(std::string_view text) {
  const std::string wanted = ScreenLetters(text);
  for (;;) {
    const std::string shown = ScreenLetters(output_);
    const std::size_t at = shown.find(wanted, matched_on_screen_);
    if (at != std::string::npos) {
      matched_on_screen_ = at + wanted.size();
      return true;
    }
    if (!Pump(20)) return false;
  }
}

std::string ScreenLetters(std::string_view text) {
  std::string letters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
      i += 2;
      while (i < text.size() && !std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
      continue;
    }
    if (!std::isspace(static_cast<unsigned char>(text[i]))) letters.push_back(text[i]);
  }
  return letters;
}

bool PtySession::InKeyMode() const {
  termios t{};
  return tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) == 0;
}

bool PtySession::InLineMode() const {
  termios t{};
  return tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) != 0;
}

// Input is typed only after the program has shown something since the previous input (its
// echo or its next prompt) and the terminal is in the mode the input needs.
bool PtySession::WaitFor(bool (PtySession::*ready)() const) {
  for (;;) {
    if ((!sent_input_ || OutputGrew()) && (this->*ready)()) return true;
    if (!Pump(2)) return false;
  }
}

bool PtySession::Type(std::string_view bytes) {
  // Whatever the program wrote before it started waiting is already in the terminal's buffer:
  // take it all in first, so that only output caused by this input counts as new.
  for (;;) {
    pollfd pfd{master_, POLLIN, 0};
    if (poll(&pfd, 1, 0) <= 0) break;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) break;
    output_.append(buffer, static_cast<std::size_t>(n));
  }
  output_at_last_input_ = output_.size();
  sent_input_ = true;
  return write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

bool PtySession::SendKey(char key) { return WaitFor(&PtySession::InKeyMode) && Type(std::string_view(&key, 1)); }

bool PtySession::SendLine(std::string_view line) {
  if (!WaitFor(&PtySession::InLineMode)) return false;
  std::string typed(line);
  typed.push_back('\r');
  return Type(typed);
}

bool PtySession::SendControl(char key) {
  if (!WaitFor(&PtySession::InKeyMode)) return false;
  return write(master_, &key, 1) == 1;
}

bool PtySession::Signal(int signal_number) {
  const pid_t foreground = tcgetpgrp(master_);
  return foreground > 0 && kill(-foreground, signal_number) == 0 && WaitUntilTaken(foreground, signal_number);
}

namespace {

// A signal set as /proc/<pid>/status shows it after `field` ("SigBlk:"), 0 when it is missing.
std::uint64_t SignalSet(const std::string& status, std::string_view field) {
  const std::size_t at = status.find(field);
  if (at == std::string::npos) return 0;
  return std::strtoull(status.c_str() + at + field.size(), nullptr, 16);
}

}  // namespace

bool PtySession::WaitUntilTaken(pid_t pid, int signal_number) {
  const std::uint64_t bit = std::uint64_t{1} << (signal_number - 1);
  for (;;) {
    const std::string status = ReadBytes("/proc/" + std::to_string(pid) + "/status");
    const std::size_t at = status.find("State:\t");
    if (at == std::string::npos) return true;  // gone, and reaped
    const char state = status[at + 7];
    if (state == 'T' || state == 't' || state == 'Z' || state == 'X') return true;
    const std::uint64_t pending = SignalSet(status, "SigPnd:") | SignalSet(status, "ShdPnd:");
    if (state == 'S' && ((pending | SignalSet(status, "SigBlk:")) & bit) == 0) return true;
    if (!Pump(1)) return exited_;
  }
}

bool PtySession::WaitForKeyMode() {
  while (!InKeyMode()) {
    if (!Pump(2)) return false;
  }
  return true;
}

bool PtySession::WaitUntilAsleep() {
  for (;;) {
    const std::string stat = ReadBytes("/proc/" + std::to_string(tcgetpgrp(master_)) + "/stat");
    const std::size_t state = stat.rfind(')');  // the name in parentheses may hold blanks
    if (state != std::string::npos && stat.compare(state, 3, ") S") == 0) return true;
    if (!Pump(2)) return false;
  }
}

int PtySession::NextJobReport() {
  for (;;) {
    pollfd pfd{job_reports_, POLLIN, 0};
    if (job_reports_ >= 0 && poll(&pfd, 1, 0) > 0) {
      unsigned char report = 0;
      return read(job_reports_, &report, 1) == 1 ? report : -1;
    }
    if (!Pump(2)) return -1;
  }
}

int PtySession::WaitForStop() {
  const int stop_signal = NextJobReport();
  return stop_signal > 0 ? stop_signal : 0;
}

bool PtySession::Continue(bool foreground) {
  const char command = foreground ? kContinueInForeground : kContinueInBackground;
  return job_ > 0 && write(job_commands_, &command, 1) == 1 && NextJobReport() == kCommandCarriedOut &&
         WaitUntilTaken(job_, SIGCONT);
}

termios PtySession::Modes() const {
  termios t{};
  tcgetattr(master_, &t);
  return t;
}

int PtySession::Finish() {
  while (Pump(20)) {
  }
  if (!exited_ && child_ > 0) {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
    exited_ = true;
    timed_out_ = true;
    exit_code_ = -1;
  }
  return exit_code_;
}

std::string PtySession::Transcript() const {
  std::string folded;
  folded.reserve(output_.size());
  for (std::size_t i = 0; i < output_.size(); ++i) {
    if (output_[i] == '\r' && i + 1 < output_.size() && output_[i + 1] == '\n') continue;
    folded.push_back(output_[i]);
  }
  return folded;
}

bool SameModes(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
         std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0 && cfgetispeed(&a) == cfgetispeed(&b) &&
         cfgetospeed(&a) == cfgetospeed(&b);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

TempDir::TempDir() {
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    const auto candidate = base / ("kelvarro-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kelvarro::testing
