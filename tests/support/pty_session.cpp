#include "pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace kelvarro::testing {

PtySession::PtySession(const PtyOptions& options) {
  deadline_ = std::chrono::steady_clock::now() + options.timeout;
  int script_pipe[2] = {-1, -1};
  if (options.stdin_from_script && pipe(script_pipe) != 0) return;

  std::vector<std::string> args = options.argv.empty() ? std::vector<std::string>{options.program} : options.argv;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  termios settings {};
  cfmakeraw(&settings);
  settings.c_iflag = ICRNL;
  settings.c_oflag = OPOST | ONLCR;
  settings.c_lflag = ISIG | ICANON | ECHO | ECHOE | ECHOK;
  settings.c_cflag = CS8 | CREAD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VEOF] = 4;
  settings.c_cc[VERASE] = 127;
  settings.c_cc[VINTR] = 3;
  cfsetispeed(&settings, B38400);
  cfsetospeed(&settings, B38400);

  child_ = forkpty(&master_, nullptr, &settings, nullptr);
  if (child_ == 0) {
    if (options.stdin_from_script) {
      dup2(script_pipe[0], STDIN_FILENO);
      close(script_pipe[0]);
      close(script_pipe[1]);
    }
    if (chdir(options.workdir.c_str()) != 0) _exit(126);
    for (const std::string& setting : options.environment) putenv(::strdup(setting.c_str()));
    execv(options.program.c_str(), argv.data());
    _exit(127);
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
  if (master_ >= 0) close(master_);
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
    if (waitpid(child_, &status, WNOHANG) == child_) {
      exited_ = true;
      exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
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
  termios t {};
  return tcgetattr(master_, &t) == 0 && (t.c_lflag & ICANON) == 0;
}

bool PtySession::InLineMode() const {
  termios t {};
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

bool PtySession::SendKey(char key) {
  return WaitFor(&PtySession::InKeyMode) && Type(std::string_view(&key, 1));
}

bool PtySession::SendLine(std::string_view line) {
  if (!WaitFor(&PtySession::InLineMode)) return false;
  std::string typed(line);
  typed.push_back('\r');
  return Type(typed);
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
