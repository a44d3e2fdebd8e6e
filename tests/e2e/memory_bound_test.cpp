// The wizard with an install directory of 50 MiB in config.cfg, run from a script under a
// limit on its address space: it ends normally with every file complete, and its peak memory
// stays within a few copies of the path. A path too long for the limit ends the run as a
// config.cfg that cannot be read.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/expected_files.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

// Under a sanitizer the limit would fail every run, and the peak counts its shadow memory.
constexpr bool kSanitized = KELVARRO_SANITIZED != 0;
constexpr std::size_t kMiB = std::size_t{1} << 20;

struct LimitedRun {
  int exit_code = -1;     // -1 when killed
  long peak_rss_kib = 0;  // the child's largest resident set
  std::string shown;      // everything written to standard output
};

// Runs `program` in `workdir` with `script` on a pipe for standard input and standard output
// in a file, limited to `address_space` bytes (none when 0) and two minutes of processor time.
LimitedRun RunLimited(const std::string& program, const TempDir& workdir, const std::string& script,
                      std::size_t address_space) {
  const std::string shown_path = workdir / "shown.txt";
  int in[2];
  if (pipe(in) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(in[0], STDIN_FILENO);
    close(in[0]);
    close(in[1]);
    const int out = open(shown_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    close(out);
    const rlimit cpu{120, 120};
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CPU, &cpu);
    setrlimit(RLIMIT_CORE, &no_core);
    if (address_space > 0) {
      const rlimit limit{address_space, address_space};
      setrlimit(RLIMIT_AS, &limit);
    }
    if (chdir(workdir.path().c_str()) != 0) _exit(126);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  const bool written = write(in[1], script.data(), script.size()) == static_cast<ssize_t>(script.size());
  close(in[1]);
  int status = 0;
  rusage usage{};
  LimitedRun run;
  if (!written || wait4(child, &status, 0, &usage) != child) return run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peak_rss_kib = usage.ru_maxrss;
  run.shown = ReadBytes(shown_path);
  return run;
}

// Whether the file holds exactly `pieces`, one after the other; compared block by block, so
// that files of hundreds of MiB need no copy in memory.
::testing::AssertionResult FileHolds(const std::string& path, const std::vector<std::string_view>& pieces) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> block(kMiB);
  std::size_t offset = 0;
  for (const std::string_view piece : pieces) {
    for (std::size_t done = 0; done < piece.size();) {
      const std::size_t want = std::min(block.size(), piece.size() - done);
      file.read(block.data(), static_cast<std::streamsize>(want));
      if (static_cast<std::size_t>(file.gcount()) != want || piece.compare(done, want, block.data(), want) != 0) {
        return ::testing::AssertionFailure() << path << " differs within bytes " << offset << ".." << offset + want;
      }
      done += want;
      offset += want;
    }
  }
  if (file.peek() != std::ifstream::traits_type::eof()) {
    return ::testing::AssertionFailure() << path << " is longer than " << offset << " bytes";
  }
  return ::testing::AssertionSuccess();
}

// Cuts `text` at each `marker`, with `value` standing between the parts.
std::vector<std::string_view> Around(const std::string& text, char marker, std::string_view value) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, start)) {
    pieces.push_back(std::string_view(text).substr(start, at - start));
    pieces.push_back(value);
    start = at + 1;
  }
  pieces.push_back(std::string_view(text).substr(start));
  return pieces;
}

// A path of exactly `size` bytes that needs every kind of escape.
std::string LongPath(std::size_t size) {
  std::string path = "c:\\k&1%^\\";
  while (path.size() + 9 <= size) path += "kelvarro\\";
  path.resize(size, 'x');
  return path;
}

std::string Escaped(const std::string& path, bool for_batch) {
  std::string escaped;
  escaped.reserve(path.size() + path.size() / 4);
  for (const char c : path) {
    if (for_batch && (c == '&' || c == '^')) escaped += '^';
    if (for_batch && c == '%') escaped += '%';
    if (!for_batch && c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void MakeInstall(const TempDir& dir, const std::string& install_dir) {
  for (const char* sub : {"input", "temp", "nandub"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "config.cfg", install_dir + "\r\n-r1");
  for (const char* name : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) WriteBytes(dir / (std::string("input/") + name), "");
}

TEST(MemoryBound, FiftyMebibyteInstallDirectoryEndsNormallyWithinFourCopiesOfThePath) {
  const std::size_t size = 50 * kMiB;
  const std::string path = LongPath(size);
  TempDir dir;
  MakeInstall(dir, path);
  const LimitedRun run = RunLimited(KELVARRO_WIZARD, dir, "20n51nk", kSanitized ? 0 : 1024 * kMiB);

  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.shown, kWelcome + kRegion + "2" + kStream + "0" + kVbr + "n" + kBitrates + "5" + kAspect + "1" +
                           kOffer + "n" + kFarewell);
  if (!kSanitized) {
    const long bound_kib = static_cast<long>((4 * size + 8 * kMiB) / 1024);
    EXPECT_LE(run.peak_rss_kib, bound_kib) << "peak " << run.peak_rss_kib / 1024 << " MiB";
  }

  const std::string batch_dir = Escaped(path, true);
  const std::string batch_text =
      "start /wait @progs\\m2apx3g.exe -b @input\\movie.lst -f2 -q0 -r1 -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 "
      "@temp\\movie_1.avi\r\n"
      "@progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db @temp\\movie_1.avistream0x80.ac3 @temp\\pcmaudio.wav\r\n"
      "@progs\\lame.exe -h -b 128 @temp\\pcmaudio.wav @temp\\audio.mp3\r\n"
      "@nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
  EXPECT_TRUE(FileHolds(dir / "process.bat", Around(batch_text, '@', batch_dir)));
  const std::string job_dir = Escaped(path, false);
  EXPECT_TRUE(FileHolds(dir / "nandub/multi.vcf", Around(JobScriptFor("@"), '@', job_dir)));
  EXPECT_TRUE(
      FileHolds(dir / "input/movie.lst", Around("@input\\VTS_01_1.VOB\r\n@input\\VTS_01_2.VOB\r\n", '@', path)));
}

TEST(MemoryBound, InstallDirectoryBeyondTheLimitCountsAsAnUnreadableConfig) {
  if (kSanitized) GTEST_SKIP() << "no address-space limit under a sanitizer";
  TempDir dir;
  MakeInstall(dir, LongPath(40 * kMiB));
  const LimitedRun run = RunLimited(KELVARRO_WIZARD, dir, "k", 32 * kMiB);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.shown, kNoConfig);
  EXPECT_FALSE(std::filesystem::exists(dir / "input/movie.lst"));
}

}  // namespace
}  // namespace kelvarro::testing
