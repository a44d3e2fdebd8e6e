#pragma once

// What the wizard tells from the disc before the questions it answers, and the one answer it
// refuses: an audio stream that cannot make sound. Where the disc was not read, every text is
// empty and every key is taken, so the dialogue is as it always was.

#include <string>
#include <utility>

#include "wizard/encoding_questions.h"
#include "wizard/movie_reader.h"

namespace kelvarro {

class DiscAdvice {
 public:
  explicit DiscAdvice(DiscFacts facts) : facts_(std::move(facts)) {}

  // Each hint is "\n" and one text without a line end, shown once before its question's
  // first showing; "" where the disc does not answer the question.
  std::string RegionHint() const;
  // For the frame-rate question, asked only after region 1.
  std::string FrameRateHint() const;
  std::string AudioHint() const;
  std::string AspectHint() const;

  // Key N names substream 0x80 + N. Refused only where the disc says for sure that the key's
  // stream is no AC3 stream: 8 and 9 always, any other when the whole title was read without
  // meeting it; never when the disc has no AC3 stream at all.
  StreamVerdict JudgeStream(char key) const;

 private:
  bool IsPal() const;
  bool IsNtsc() const;
  bool HasAc3() const;
  // The streams met, by key, as one line lists them.
  std::string StreamList() const;

  DiscFacts facts_;
};

}  // namespace kelvarro
