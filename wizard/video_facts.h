#pragma once

// What the video stream says of the picture: from its first sequence header the size, the
// frame rate and the coded aspect; from the picture coding extensions after it how many
// pictures carry repeat_first_field, the flag of film stored with 3:2 pulldown.

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvarro {

struct VideoFacts {
  // Whether a sequence header was met; the other fields count only then.
  bool seen = false;
  int width = 0;
  int height = 0;
  // 1 = 24000/1001, 2 = 24, 3 = 25, 4 = 30000/1001, 5 = 30.
  int frame_rate_code = 0;
  // kAspect4To3, kAspect16To9, or another code.
  int aspect_code = 0;
  std::uint64_t pictures = 0;
  std::uint64_t repeated_field = 0;
};

// The sequence header's aspect codes of a DVD's pictures.
inline constexpr int kAspect4To3 = 2;
inline constexpr int kAspect16To9 = 3;

// The standard that the picture's height and rate make: PAL 576 or 288 lines at 25 fps, NTSC
// 480 or 240 at 29.97 (or 23.976) fps; neither for anything else or where nothing was seen.
enum class VideoStandard { kNeither, kPal, kNtsc };
VideoStandard StandardOf(const VideoFacts& video);

// Reads the video's elementary stream as the packets hand it in, piece by piece: a start code
// and the bytes it needs may be split between two pieces.
class VideoScan {
 public:
  void Feed(std::string_view piece);
  const VideoFacts& facts() const { return facts_; }

 private:
  // `code` holds a start code and at least the bytes behind it that any code here needs.
  void Take(std::string_view code);

  // The start of a start code cut off at the end of the last piece.
  std::string carry_;
  VideoFacts facts_;
};

}  // namespace kelvarro
