// listing_bench RUNS
//
// Run in an install tree (a directory holding input and temp): times the wizard's listing
// step, WriteVobListing(), against the command `ls -l input` in the same directory. The two
// take turns, RUNS times each, after one warm-up round, so that both meet the same page cache
// and the same load. ls writes into a file next to the listing, as the listing is written
// into a file too. Prints the best and the median time of each and their ratios.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/disk_file_system.h"
#include "wizard/dir_listing.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool RunLs() {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "temp/ls.out", O_WRONLY | O_CREAT | O_TRUNC, 0664);
  std::string ls = "ls";
  std::string long_form = "-l";
  std::string input = "input";
  char* argv[] = {ls.data(), long_form.data(), input.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "ls", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename Step>
double Seconds(Step step) {
  const auto start = Clock::now();
  step();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const std::size_t middle = times.size() / 2;
  return times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const long runs = argc == 2 ? std::strtol(argv[1], nullptr, 10) : 0;
  if (runs < 1) {
    std::fprintf(stderr, "usage: listing_bench RUNS   (in a directory holding input and temp)\n");
    return 2;
  }
  kelvarro::DiskFileSystem files;
  bool ls_failed = !RunLs();
  kelvarro::WriteVobListing(files);
  std::vector<double> listing_times;
  std::vector<double> ls_times;
  for (long run = 0; run < runs && !ls_failed; ++run) {
    listing_times.push_back(Seconds([&] { kelvarro::WriteVobListing(files); }));
    ls_times.push_back(Seconds([&] { ls_failed = !RunLs(); }));
  }
  if (ls_failed) {
    std::fprintf(stderr, "listing_bench: ls -l input failed\n");
    return 1;
  }
  const double listing_best = *std::min_element(listing_times.begin(), listing_times.end());
  const double ls_best = *std::min_element(ls_times.begin(), ls_times.end());
  const double listing_median = Median(listing_times);
  const double ls_median = Median(ls_times);
  std::printf("%-12s %12s %12s\n", "step", "best ms", "median ms");
  std::printf("%-12s %12.2f %12.2f\n", "listing", listing_best * 1e3, listing_median * 1e3);
  std::printf("%-12s %12.2f %12.2f\n", "ls -l input", ls_best * 1e3, ls_median * 1e3);
  std::printf("ratio listing / ls -l: best %.2f, median %.2f (target <= 0.50)\n", listing_best / ls_best,
              listing_median / ls_median);
  return 0;
}
