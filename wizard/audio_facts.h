#pragma once

// The sound streams of private stream 1: which substreams are there, and what the first frame
// header of each says of its channels (and, for AC3, its bitrate).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace kelvarro {

// MPEG audio is named by a title set's information file only; the scan of private stream 1
// never meets it.
enum class AudioCoding { kAc3, kDts, kLpcm, kMpeg };

struct AudioStream {
  AudioCoding coding = AudioCoding::kAc3;
  // Full-range channels and the low-frequency one, as in "5.1"; 0 until a frame header of the
  // stream was read whole.
  int channels = 0;
  bool lfe = false;
  // AC3 only; 0 when not read.
  int kbps = 0;
};

// The substream ids of AC3 (0x80-0x87, and 0x88-0x8F for DTS, 0xA0-0xA7 for LPCM).
inline constexpr std::uint8_t kFirstAc3 = 0x80;

// Gathers the sound streams from the payloads of private stream 1.
class AudioScan {
 public:
  void Feed(std::string_view payload);
  // By substream id.
  const std::map<std::uint8_t, AudioStream>& streams() const { return streams_; }

 private:
  std::map<std::uint8_t, AudioStream> streams_;
};

// "5.1", "2.0"; "" when the channels were not read.
std::string ChannelText(const AudioStream& stream);

}  // namespace kelvarro
