#pragma once

// What the wizard tells from the disc before the questions it answers, and the one answer it
// refuses: an audio stream that cannot make sound. Where the disc was not read, every text is
// empty and every key is taken, so the dialogue is as it always was.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "wizard/encoding_questions.h"
#include "wizard/movie_reader.h"
#include "wizard/title_set_info.h"

namespace kelvarro {

class DiscAdvice {
 public:
  // `info`: the title set's information file, where it is the movie's; it adds each stream's
  // language and kind, and the streams that the parts read did not show.
  explicit DiscAdvice(DiscFacts facts, std::optional<TitleSetInfo> info = std::nullopt)
      : facts_(std::move(facts)), info_(std::move(info)) {}

  // Each hint is "\n" and one text without a line end, shown once before its question's
  // first showing; "" where the disc does not answer the question.
  std::string RegionHint() const;
  // For the frame-rate question, asked only after region 1.
  std::string FrameRateHint() const;
  std::string AudioHint() const;
  std::string AspectHint() const;

  // Key N names substream 0x80 + N. Refused only where the disc says for sure that the key's
  // stream is no AC3 stream: 8 and 9 always, any other when neither the parts read nor the
  // information file show it as AC3 and either the whole title was read or the information file
  // lists the title's streams; never when the disc has no AC3 stream at all.
  StreamVerdict JudgeStream(char key) const;

 private:
  // A stream as the parts read show it, as the information file lists it, or both.
  struct Stream {
    AudioCoding coding = AudioCoding::kAc3;
    const AudioStream* met = nullptr;
    const ListedStream* listed = nullptr;
  };

  bool IsPal() const;
  bool IsNtsc() const;
  bool HasAc3() const;
  // By substream id.
  std::map<std::uint8_t, Stream> Streams() const;
  // The streams, by key, as one line lists them.
  std::string StreamList() const;

  DiscFacts facts_;
  std::optional<TitleSetInfo> info_;
};

}  // namespace kelvarro
