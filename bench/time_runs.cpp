// time_runs RUNS INPUT PROGRAM...
//
// Starts each PROGRAM RUNS times, taking turns so that all of them see the same load, with
// standard input read from the file INPUT (opened anew for each run) and standard output and
// error on /dev/null. No shell stands between: a run's time is that of posix_spawn and
// waitpid around the one process. Ten untimed turns come first. Every run must exit with
// status 0, or nothing is printed and the exit status is 1.
//
// Prints per program the median and the fastest wall time of a run and the median CPU time
// (user and system), each also as a ratio to the same figure of the first PROGRAM.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kUntimedTurns = 10;

struct Run {
  double wall_ms;
  double cpu_ms;
};

double Ms(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

// One run of `program`; false when it could not be started or did not exit with status 0.
bool RunOnce(const char* program, const char* input, Run& run) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  std::string name = program;
  char* argv[] = {name.data(), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program, &files, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&files);
  if (spawned != 0) return false;
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0) {
    if (errno != EINTR) return false;
  }
  run.wall_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  run.cpu_ms = Ms(usage.ru_utime) + Ms(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc >= 4 ? std::atoi(argv[1]) : 0;
  if (runs <= 0) {
    std::fprintf(stderr, "usage: time_runs RUNS INPUT PROGRAM...\n");
    return 2;
  }
  const char* input = argv[2];
  const std::vector<const char*> programs(argv + 3, argv + argc);
  std::vector<std::vector<double>> wall(programs.size());
  std::vector<std::vector<double>> cpu(programs.size());
  for (int turn = 0; turn < kUntimedTurns + runs; ++turn) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Run run{};
      if (!RunOnce(programs[p], input, run)) {
        std::fprintf(stderr, "time_runs: %s failed\n", programs[p]);
        return 1;
      }
      if (turn < kUntimedTurns) continue;
      wall[p].push_back(run.wall_ms);
      cpu[p].push_back(run.cpu_ms);
    }
  }
  const double first_median = Median(wall[0]);
  const double first_fastest = *std::min_element(wall[0].begin(), wall[0].end());
  const double first_cpu = Median(cpu[0]);
  std::printf("%-16s %10s %11s %14s   %s\n", "program", "median ms", "fastest ms", "median CPU ms",
              "ratios to the first: median fastest CPU");
  for (std::size_t p = 0; p < programs.size(); ++p) {
    const std::string path = programs[p];
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const double median = Median(wall[p]);
    const double fastest = *std::min_element(wall[p].begin(), wall[p].end());
    const double median_cpu = Median(cpu[p]);
    std::printf("%-16s %10.3f %11.3f %14.3f   %6.2f %7.2f %7.2f\n", name.c_str(), median, fastest, median_cpu,
                median / first_median, fastest / first_fastest, median_cpu / first_cpu);
  }
  return 0;
}
