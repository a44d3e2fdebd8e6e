#pragma once

// The questions that decide how the movie is converted. The driver asks them in this order,
// and each fills only its own fields of EncodingChoices.

#include <functional>
#include <string>
#include <string_view>

#include "common/console.h"
#include "wizard/encoding_choices.h"

namespace kelvarro {

// Each `hint` is shown once, before its question's first showing; "" shows nothing.

// The DVD's region: returns '1' or '2'. Stores nothing; the answer only decides the next step.
char AskRegion(Console& console, std::string_view hint = {});

// Region '1' asks for the frame rate ("-f5" or "-f6"); region '2' means "-f2" without a question.
void DecideFrameRate(Console& console, char region, EncodingChoices& choices, std::string_view hint = {});

// A key at the audio question as the disc sees it: refused or taken, with a line to show
// behind the echoed key ("" for none).
struct StreamVerdict {
  bool refused = false;
  std::string line;
};
using StreamJudge = std::function<StreamVerdict(char key)>;

// The audio stream 0..9, kept as "0x8" followed by the digit pressed. A key that `judge`
// refuses shows its line and the question again.
void AskAudioStream(Console& console, EncodingChoices& choices, std::string_view hint = {},
                    const StreamJudge& judge = {});

// Constant or variable MP3 bitrate, then either the bitrate table or the typed minimum and
// maximum (taken as they come, even when they fail to read) and the quality level.
void AskMp3Mode(Console& console, EncodingChoices& choices);

// The aspect ratio: sets all four picture sizes.
void AskAspect(Console& console, EncodingChoices& choices, std::string_view hint = {});

}  // namespace kelvarro
