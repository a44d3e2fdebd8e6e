#pragma once

// The questions that decide how the movie is converted. The driver asks them in this order,
// and each fills only its own fields of EncodingChoices.

#include "common/console.h"
#include "wizard/encoding_choices.h"

namespace kelvarro {

// The DVD's region: returns '1' or '2'. Stores nothing; the answer only decides the next step.
char AskRegion(Console& console);

// Region '1' asks for the frame rate ("-f5" or "-f6"); region '2' means "-f2" without a question.
void DecideFrameRate(Console& console, char region, EncodingChoices& choices);

// The audio stream 0..9, kept as "0x8" followed by the digit pressed.
void AskAudioStream(Console& console, EncodingChoices& choices);

// Constant or variable MP3 bitrate, then either the bitrate table or the typed minimum and
// maximum (taken as they come, even when they fail to read) and the quality level.
void AskMp3Mode(Console& console, EncodingChoices& choices);

// The aspect ratio: sets all four picture sizes.
void AskAspect(Console& console, EncodingChoices& choices);

}  // namespace kelvarro
