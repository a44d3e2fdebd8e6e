#include "wizard/movie_files.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "wizard/program_stream.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

constexpr std::uint64_t kPackBytes = 2048;
// The parts of one title carry one clock: the next part's first pack follows the last pack of
// the part before within a fraction of a second. A part that starts earlier, or more than a
// second later, was cut from another stream.
constexpr std::uint64_t kClockTicksPerSecond = 90000;

std::optional<std::uint64_t> ClockAt(FileSystem& files, const std::string& path, std::uint64_t offset) {
  std::string pack;
  if (!files.ReadPart(path, offset, kPackBytes, pack).empty()) return std::nullopt;
  return PackClock(pack);
}

std::optional<std::uint64_t> FirstClock(FileSystem& files, const std::string& path) { return ClockAt(files, path, 0); }

// Packs fill the file from its start, so the last begins at a multiple of their size.
std::optional<std::uint64_t> LastClock(FileSystem& files, const MoviePart& part) {
  if (part.size == 0) return std::nullopt;
  return ClockAt(files, part.path, (part.size - 1) / kPackBytes * kPackBytes);
}

// "" where `name` is part of the movie or not known by its name.
std::string WhyNotTheMovie(const NameOnDisc& name, const NameOnDisc& movie) {
  if (name.kind == NameOnDisc::Kind::kMenu) return " is a menu, not the movie";
  if (name.kind != NameOnDisc::Kind::kTitle || movie.kind != NameOnDisc::Kind::kTitle || name.set == movie.set) {
    return "";
  }
  return " is of title set " + name.set + " (extras, a trailer), not the movie's " + movie.set;
}

}  // namespace

MovieFiles SortOutMovie(FileSystem& files, const std::vector<std::string>& names, const std::vector<MoviePart>& movie) {
  MovieFiles sorted{false, movie, ""};
  if (movie.empty() || !FirstClock(files, movie[0].path)) return sorted;
  sorted.program_stream = true;
  const NameOnDisc movie_name = ReadName(movie[0].path.substr(kInputFolder.size()));
  for (const std::string& name : names) {
    const std::string why = WhyNotTheMovie(ReadName(name), movie_name);
    if (!why.empty() && FirstClock(files, "input\\" + name))
      sorted.not_the_movie += "\ninput\\" + name + why + kMoveItOut;
  }
  for (std::size_t k = 1; k < movie.size(); ++k) {
    const std::optional<std::uint64_t> last = LastClock(files, movie[k - 1]);
    const std::optional<std::uint64_t> first = FirstClock(files, movie[k].path);
    if (!last || !first || (*first >= *last && *first - *last <= kClockTicksPerSecond)) continue;
    sorted.parts.resize(k);
    sorted.not_the_movie += "\n" + movie[k].path + " does not go on from " + movie[k - 1].path +
                            (*first < *last ? " (its clock jumps back)" : " (its clock jumps ahead)") +
                            ", so it seems to be of another movie" + kMoveItOut;
    for (std::size_t j = k + 1; j < movie.size(); ++j) {
      if (!FirstClock(files, movie[j].path)) continue;
      sorted.not_the_movie += "\n" + movie[j].path + " comes behind " + movie[k].path +
                              ", so it seems to be of another movie too" + kMoveItOut;
    }
    break;
  }
  return sorted;
}

std::vector<std::string> DroppedNames(FileSystem& files, const std::vector<std::string>& names) {
  std::vector<std::string> found = files.List("input");
  std::sort(found.begin(), found.end());
  std::vector<std::string> lines;
  for (const std::string& name : found) {
    // Twelve characters with the pattern's ending are eight, a dot and three.
    if (!MatchesVobPattern(name) || name.size() == 12 || std::find(names.begin(), names.end(), name) != names.end()) {
      continue;
    }
    if (!FirstClock(files, "input\\" + name)) continue;
    lines.push_back("input\\" + name +
                    " is left out of the movie, since its name is not eight characters, a dot and three: rename it, "
                    "for example to VTS_01_1.VOB, and start the wizard again.");
  }
  return lines;
}

}  // namespace kelvarro
