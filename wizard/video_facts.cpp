#include "wizard/video_facts.h"

#include <algorithm>

#include "wizard/program_stream.h"

namespace kelvarro {
namespace {

constexpr int kFilmRate = 1;
constexpr int kPalRate = 3;
constexpr int kNtscRate = 4;
constexpr std::uint8_t kSequenceHeader = 0xB3;
constexpr std::uint8_t kExtension = 0xB5;
constexpr std::uint8_t kPictureCodingExtension = 0x8;
// The start code and the five bytes behind it that a picture coding extension needs.
constexpr std::size_t kCodeBytes = 9;

// Up to two zeros at the end, which may begin a start code.
std::size_t TrailingZeros(std::string_view bytes) {
  std::size_t zeros = 0;
  while (zeros < std::min<std::size_t>(2, bytes.size()) && bytes[bytes.size() - 1 - zeros] == 0) ++zeros;
  return zeros;
}

}  // namespace

VideoStandard StandardOf(const VideoFacts& video) {
  if (!video.seen) return VideoStandard::kNeither;
  if (video.frame_rate_code == kPalRate && (video.height == 576 || video.height == 288)) return VideoStandard::kPal;
  if ((video.frame_rate_code == kNtscRate || video.frame_rate_code == kFilmRate) &&
      (video.height == 480 || video.height == 240)) {
    return VideoStandard::kNtsc;
  }
  return VideoStandard::kNeither;
}

void VideoScan::Feed(std::string_view piece) {
  if (!carry_.empty()) {
    // Start codes that begin in the carried bytes, completed by the first bytes of this piece.
    const std::string joined = carry_ + std::string(piece.substr(0, kCodeBytes));
    const std::size_t carried = carry_.size();
    carry_.clear();
    std::size_t at = FindStartCode(joined, 0);
    for (; at < carried && at + kCodeBytes <= joined.size(); at = FindStartCode(joined, at + 3)) {
      Take(std::string_view(joined).substr(at));
    }
    // A piece shorter than a start code is all in `joined`: what may begin one is carried on.
    if (piece.size() < kCodeBytes) {
      carry_ = at != std::string_view::npos ? joined.substr(at) : joined.substr(joined.size() - TrailingZeros(joined));
      return;
    }
  }
  std::size_t at = FindStartCode(piece, 0);
  for (; at != std::string_view::npos; at = FindStartCode(piece, at + 3)) {
    if (at + kCodeBytes > piece.size()) {
      carry_ = piece.substr(at);
      return;
    }
    Take(piece.substr(at));
  }
  carry_ = piece.substr(piece.size() - TrailingZeros(piece));
}

void VideoScan::Take(std::string_view code) {
  const std::uint8_t id = ByteAt(code, 3);
  if (id == kSequenceHeader && !facts_.seen) {
    facts_.seen = true;
    facts_.width = ByteAt(code, 4) << 4 | ByteAt(code, 5) >> 4;
    facts_.height = (ByteAt(code, 5) & 0x0F) << 8 | ByteAt(code, 6);
    facts_.aspect_code = ByteAt(code, 7) >> 4;
    facts_.frame_rate_code = ByteAt(code, 7) & 0x0F;
  } else if (id == kExtension && facts_.seen && ByteAt(code, 4) >> 4 == kPictureCodingExtension) {
    ++facts_.pictures;
    if ((ByteAt(code, 7) & 0x02) != 0) ++facts_.repeated_field;
  }
}

}  // namespace kelvarro
