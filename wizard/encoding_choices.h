#pragma once

#include <cstdint>
#include <string>

#include "common/prompts.h"

namespace kelvarro {

// Every answer of one wizard run, in the form the batch file needs. Each field starts at the
// value given here before anything is printed; the fields of the MP3 branch that is not taken
// keep their start values and are never written.
struct EncodingChoices {
  std::string frame_rate_switch = "-f2";  // "-f2", "-f5" or "-f6"
  std::string audio_stream_id = "0x8";    // "0x8" and the chosen digit: at most four characters
  char use_vbr = 'a';                     // the key answered at the VBR question; 'a' is neither
  std::int32_t cbr_kbps = 0;
  std::int32_t vbr_min_kbps = 0;  // as typed, unchecked
  std::int32_t vbr_max_kbps = 0;  // as typed, unchecked
  std::int32_t vbr_quality = 10;  // 0..9 once answered
  std::int32_t coded_width = 512;
  std::int32_t coded_height = 384;
  std::int32_t target_width = 512;
  std::int32_t target_height = 384;

  bool UsesVbr() const { return IsYes(use_vbr); }
};

}  // namespace kelvarro
