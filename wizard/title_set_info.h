#pragma once

// What a title set's VTS_nn_0.IFO (or its backup, VTS_nn_0.BUP) says of its titles: the video
// standard and display aspect, and each audio stream's coding, language and kind, placed on the
// substreams of the VOB files through the first title's program chain. The file may be damaged
// or made to harm: only the few bytes needed are read, and every offset in it is checked
// against what was read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "wizard/audio_facts.h"

namespace kelvarro {

struct ListedStream {
  AudioCoding coding = AudioCoding::kAc3;
  // Where the VOB files carry it: 0x80 + n for AC3, 0x88 + n for DTS, 0xA0 + n for LPCM, and the
  // MPEG audio stream 0xC0 + n.
  std::uint8_t id = 0;
  // Two lower-case letters; "" where the file names no language.
  std::string language;
  // 1 normal, 2 for the visually impaired, 3 and 4 director's comments; 0 where not told.
  int code_extension = 0;
};

struct TitleSetInfo {
  // 0 NTSC, 1 PAL.
  int video_format = 0;
  // 0 4:3, 3 16:9.
  int display_aspect = 0;
  // In the file's order; a stream the title does not carry is left out. At most eight.
  std::vector<ListedStream> audio;
};

// None where `path` holds no title set's information file.
std::optional<TitleSetInfo> ReadTitleSetInfo(FileSystem& files, const std::string& path);

}  // namespace kelvarro
