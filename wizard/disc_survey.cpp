#include "wizard/disc_survey.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "wizard/movie_choice.h"
#include "wizard/movie_files.h"
#include "wizard/movie_reader.h"
#include "wizard/title_set_info.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

constexpr int kNtscFormat = 0;
constexpr int kPalFormat = 1;
constexpr int kNarrowAspect = 0;
constexpr int kWideAspect = 3;

struct FoundInfo {
  std::string path;
  TitleSetInfo info;
};

// The title set's information files that can be read: each one found for VTS_nn_0.IFO, then
// for its backup.
std::vector<FoundInfo> InfoFiles(FileSystem& files, const std::vector<MoviePart>& movie) {
  std::vector<FoundInfo> found;
  if (movie.empty()) return found;
  const NameOnDisc name = ReadName(movie[0].path.substr(kInputFolder.size()));
  if (name.kind != NameOnDisc::Kind::kTitle) return found;
  for (const char* ending : {"IFO", "BUP"}) {
    for (const std::string& path : files.FindAnyCase("input\\VTS_" + name.set + "_0." + ending)) {
      if (std::optional<TitleSetInfo> info = ReadTitleSetInfo(files, path)) found.push_back({path, std::move(*info)});
    }
  }
  return found;
}

// Whether the information file says nothing of the video that the VOB files contradict.
bool SameVideo(const TitleSetInfo& info, const VideoFacts& video) {
  const VideoStandard standard = StandardOf(video);
  return !(standard == VideoStandard::kPal && info.video_format == kNtscFormat) &&
         !(standard == VideoStandard::kNtsc && info.video_format == kPalFormat) &&
         !(video.seen && video.aspect_code == kAspect4To3 && info.display_aspect == kWideAspect) &&
         !(video.seen && video.aspect_code == kAspect16To9 && info.display_aspect == kNarrowAspect);
}

std::string Joined(const char* standard, const char* aspect) {
  return std::string(standard) + (*standard != '\0' && *aspect != '\0' ? " " : "") + aspect;
}

std::string InfoVideo(const TitleSetInfo& info) {
  return Joined(info.video_format == kPalFormat    ? "PAL"
                : info.video_format == kNtscFormat ? "NTSC"
                                                   : "",
                info.display_aspect == kWideAspect     ? "16:9"
                : info.display_aspect == kNarrowAspect ? "4:3"
                                                       : "");
}

std::string MovieVideo(const VideoFacts& video) {
  const VideoStandard standard = StandardOf(video);
  return Joined(standard == VideoStandard::kPal    ? "PAL"
                : standard == VideoStandard::kNtsc ? "NTSC"
                                                   : "",
                !video.seen                         ? ""
                : video.aspect_code == kAspect16To9 ? "16:9"
                : video.aspect_code == kAspect4To3  ? "4:3"
                                                    : "");
}

}  // namespace

DiscSurvey SurveyDisc(FileSystem& files, const std::vector<std::string>& names) {
  const std::vector<MoviePart> movie = ChooseMovie(files, names);
  MovieFiles sorted = SortOutMovie(files, names, movie);
  const std::vector<FoundInfo> infos = sorted.program_stream ? InfoFiles(files, movie) : std::vector<FoundInfo>();
  const auto first_agreeing = [&](const VideoFacts& video) -> const TitleSetInfo* {
    for (const FoundInfo& found : infos) {
      if (SameVideo(found.info, video)) return &found.info;
    }
    return nullptr;
  };
  // The probes look for streams that start late; where the first read met every one that the
  // information file lists, they would find none.
  DiscFacts facts = ReadMovie(files, sorted.parts, [&](const DiscFacts& found) {
    const TitleSetInfo* info = first_agreeing(found.video);
    return info != nullptr && !info->audio.empty() &&
           std::all_of(info->audio.begin(), info->audio.end(),
                       [&](const ListedStream& stream) { return found.audio.count(stream.id) != 0; });
  });

  std::string lines = sorted.not_the_movie;
  std::optional<TitleSetInfo> used;
  if (facts.read) {
    if (const TitleSetInfo* info = first_agreeing(facts.video)) used = *info;
    for (const FoundInfo& found : infos) {
      if (SameVideo(found.info, facts.video)) continue;
      lines += "\n" + found.path + " is of another disc (" + InfoVideo(found.info) + ", the movie is " +
               MovieVideo(facts.video) + "), so its languages are not used" + kMoveItOut;
    }
  }
  for (const std::string& line : DroppedNames(files, names)) lines += "\n" + line;
  return {DiscAdvice(std::move(facts), std::move(used)), std::move(lines)};
}

}  // namespace kelvarro
