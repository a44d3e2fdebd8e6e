// The reader of the movie's VOB files and of its title set's information file, on bytes that
// may be damaged or made to harm: it must stay within what it holds and end. The first byte
// splits the rest into the parts of a title; from "DVDVIDEO-VTS" on, the bytes are the title
// set's VTS_01_0.IFO. The video stream read in pieces of the first byte's size must give what
// it gives read whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "support/memory_file_system.h"
#include "wizard/disc_advice.h"
#include "wizard/disc_survey.h"
#include "wizard/movie_choice.h"
#include "wizard/movie_reader.h"
#include "wizard/title_set_info.h"
#include "wizard/video_facts.h"

namespace {

bool SameVideo(const kelvarro::VideoFacts& a, const kelvarro::VideoFacts& b) {
  return a.seen == b.seen && a.width == b.width && a.height == b.height && a.frame_rate_code == b.frame_rate_code &&
         a.aspect_code == b.aspect_code && a.pictures == b.pictures && a.repeated_field == b.repeated_field;
}

bool Shown(const std::string& language) {
  return language.empty() ||
         (language.size() == 2 && language[0] >= 'a' && language[0] <= 'z' && language[1] >= 'a' && language[1] <= 'z');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvarro;
  if (size == 0) return 0;
  const std::size_t piece = data[0] + 1;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t info_at = input.find("DVDVIDEO-VTS");
  const std::string_view bytes = input.substr(0, info_at);

  testing::MemoryFileSystem files;
  const std::size_t cut = std::min(bytes.size(), piece * 16);
  files.files["input\\VTS_01_1.VOB"] = std::string(bytes.substr(0, cut));
  files.files["input\\VTS_01_2.VOB"] = std::string(bytes.substr(cut));
  const std::vector<std::string> names = {"VTS_01_1.VOB", "VTS_01_2.VOB"};
  const DiscFacts facts = ReadMovie(files, ChooseMovie(files, names));
  fuzz::Require(facts.bytes_read <= bytes.size(), "no byte read twice or from nowhere");
  fuzz::Require(facts.read || facts.audio.empty(), "nothing told of a file without a program stream");

  if (info_at != std::string_view::npos) {
    files.files["input\\VTS_01_0.IFO"] = std::string(input.substr(info_at));
    const std::optional<TitleSetInfo> info = ReadTitleSetInfo(files, "input\\VTS_01_0.IFO");
    fuzz::Require(!info || info->audio.size() <= 8, "at most eight streams listed");
    for (const ListedStream& stream : info ? info->audio : std::vector<ListedStream>()) {
      fuzz::Require(Shown(stream.language) && stream.code_extension <= 4, "only letters and known kinds told");
    }
  }
  const DiscSurvey survey = SurveyDisc(files, names);
  fuzz::Require(survey.not_the_movie.empty() || facts.read, "no file named where the disc was not read");

  for (const DiscAdvice& advice : {DiscAdvice(facts), survey.advice}) {
    for (char key = '0'; key <= '9'; ++key) {
      const StreamVerdict verdict = advice.JudgeStream(key);
      fuzz::Require(!verdict.refused || facts.read, "a key refused only where the disc was read");
    }
    fuzz::Require(
        (advice.RegionHint() + advice.FrameRateHint() + advice.AudioHint() + advice.AspectHint()).empty() || facts.read,
        "hints only where the disc was read");
  }

  VideoScan whole;
  whole.Feed(bytes);
  VideoScan pieces;
  for (std::size_t at = 0; at < bytes.size(); at += piece) pieces.Feed(bytes.substr(at, piece));
  fuzz::Require(SameVideo(whole.facts(), pieces.facts()), "the video read in pieces as read whole");
  return 0;
}
