// POSIX implementation of the platform layer. There is no command interpreter that knows the
// Windows command lines, so the three that the programs pass are carried out here.

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "dir_listing.h"
#include "platform.h"

extern char** environ;

namespace kelvarro::platform {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = path;
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

void WriteStderr(const std::string& line) {
  std::cout.flush();
  std::cerr << line << '\n';
  std::cerr.flush();
}

// --- Terminal keys -------------------------------------------------------------------------
// The terminal leaves its line mode only for the one read of a key. The saved settings are
// put back right after the read, and also when a signal or exit interrupts it.

termios g_saved_terminal;
volatile std::sig_atomic_t g_terminal_raw = 0;

void RestoreTerminal() {
  if (g_terminal_raw) {
    tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_terminal);
    g_terminal_raw = 0;
  }
}

extern "C" void RestoreTerminalOnSignal(int signal_number) {
  RestoreTerminal();
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

extern "C" void RestoreTerminalAtExit() { RestoreTerminal(); }

void InstallTerminalGuards() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(RestoreTerminalAtExit);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = RestoreTerminalOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

// --- The command lines -----------------------------------------------------------------------

void ClearScreen() {
  if (!StdoutIsTerminal()) return;
  std::cout << "\x1b[H\x1b[2J";
  std::cout.flush();
}

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::vector<DirEntry> VobEntries(const std::string& directory) {
  std::vector<DirEntry> entries;
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return entries;
  while (const dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (!MatchesVobPattern(name)) continue;
    struct stat info {};
    if (stat((directory + "/" + name).c_str(), &info) != 0) continue;
    DirEntry entry;
    entry.name = name;
    entry.is_directory = S_ISDIR(info.st_mode);
    entry.size = static_cast<std::uint64_t>(info.st_size);
    const std::time_t modified = info.st_mtime;
    localtime_r(&modified, &entry.modified);
    entries.push_back(entry);
  }
  closedir(dir);
  return entries;
}

// "dir input\*.vob > temp\menulst.tmp": like the Windows interpreter, the redirection is set
// up first; when it cannot be, nothing runs.
void ListVobFiles() {
  const FileHandle out = OpenFileForWriting("temp\\menulst.tmp");
  if (out == kNoFile) {
    WriteStderr("The system cannot find the path specified.");
    return;
  }
  std::vector<DirEntry> entries = VobEntries("input");
  const bool none = entries.empty();
  const std::string listing = FormatDirListing(CurrentDirectory() + "/input", std::move(entries));
  WriteFile(out, listing.data(), listing.size());
  CloseFile(out);
  if (none) WriteStderr("File Not Found");
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// The batch file needs a Windows command interpreter; Wine brings one.
void RunBatchFile() {
  if (!OnPath("wine")) {
    WriteStderr("process.bat: running it needs Windows or Wine");
    return;
  }
  char wine[] = "wine";
  char cmd[] = "cmd";
  char slash_c[] = "/c";
  char batch[] = "process.bat";
  char* argv[] = {wine, cmd, slash_c, batch, nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "wine", nullptr, nullptr, argv, environ) != 0) return;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kNoFile;
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return kNoFile;
  }
  return fd;
}

FileHandle OpenFileForWriting(const std::string& path) {
  const int fd = open(NativePath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0664);
  return fd < 0 ? kNoFile : fd;
}

std::size_t ReadFile(FileHandle file, char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = read(file, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

bool WriteFile(FileHandle file, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(file, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void CloseFile(FileHandle file) { close(file); }

bool StdinIsTerminal() { return isatty(STDIN_FILENO) == 1; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

int ReadTerminalKey(bool echo) {
  InstallTerminalGuards();
  termios saved {};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return -1;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));  // ISIG stays: Ctrl-C still works
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  g_saved_terminal = saved;
  g_terminal_raw = 1;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  unsigned char key = 0;
  ssize_t n = 0;
  do {
    n = read(STDIN_FILENO, &key, 1);
  } while (n < 0 && errno == EINTR);
  RestoreTerminal();
  if (n != 1) return -1;
  if (echo) {
    std::cout.put(static_cast<char>(key));
    std::cout.flush();
  }
  return key;
}

void RunCommandLine(const std::string& command_line) {
  if (command_line == "cls") {
    ClearScreen();
  } else if (command_line == "dir input\\*.vob > temp\\menulst.tmp") {
    ListVobFiles();
  } else if (command_line == "process.bat") {
    RunBatchFile();
  } else {
    WriteStderr("'" + command_line + "' is not a command this platform can carry out");
  }
}

}  // namespace kelvarro::platform
