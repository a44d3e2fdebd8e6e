#include "wizard/audio_facts.h"

#include <array>
#include <optional>

#include "wizard/program_stream.h"

namespace kelvarro {
namespace {

// Behind the substream id: the count of frames that start in the packet and a pointer to the
// first, counted from the last byte of the pointer.
constexpr std::size_t kAudioHeader = 4;
constexpr std::size_t kPointerBase = 3;

// kbit/s by AC3's frmsizecod >> 1.
constexpr std::array<int, 19> kAc3Kbps = {32,  40,  48,  56,  64,  80,  96,  112, 128, 160,
                                          192, 224, 256, 320, 384, 448, 512, 576, 640};
// Full-range channels by AC3's acmod (0 is two independent mono channels).
constexpr std::array<int, 8> kAc3Channels = {2, 1, 2, 3, 3, 4, 4, 5};
// Channels by DTS's AMODE, for the arrangements the format defines.
constexpr std::array<int, 16> kDtsChannels = {1, 2, 2, 2, 2, 3, 3, 4, 4, 5, 6, 6, 6, 7, 8, 8};

// Bits of `bytes`, most significant first, from bit `at` on; the caller has checked the length.
unsigned Bits(std::string_view bytes, std::size_t at, int count) {
  unsigned value = 0;
  for (int i = 0; i < count; ++i, ++at) value = value << 1 | ((ByteAt(bytes, at / 8) >> (7 - at % 8)) & 1U);
  return value;
}

std::optional<std::string_view> FirstFrame(std::string_view payload) {
  const std::size_t start = kPointerBase + static_cast<std::size_t>(ByteAt(payload, 2) << 8 | ByteAt(payload, 3));
  if (start < kAudioHeader || start >= payload.size()) return std::nullopt;
  return payload.substr(start);
}

// An AC3 syncinfo and bit stream info, from the sync word 0B 77 on.
bool ReadAc3(std::string_view frame, AudioStream& stream) {
  if (frame.size() < 8 || ByteAt(frame, 0) != 0x0B || ByteAt(frame, 1) != 0x77) return false;
  const unsigned fscod = ByteAt(frame, 4) >> 6;
  const unsigned frmsizecod = ByteAt(frame, 4) & 0x3F;
  const unsigned bsid = ByteAt(frame, 5) >> 3;
  if (fscod == 3 || frmsizecod / 2 >= kAc3Kbps.size() || bsid > 10) return false;
  std::size_t bit = 48;
  const unsigned acmod = Bits(frame, bit, 3);
  bit += 3;
  if ((acmod & 1) != 0 && acmod != 1) bit += 2;
  if ((acmod & 4) != 0) bit += 2;
  if (acmod == 2) bit += 2;
  stream.lfe = Bits(frame, bit, 1) != 0;
  stream.channels = kAc3Channels[acmod];
  stream.kbps = kAc3Kbps[frmsizecod / 2];
  return true;
}

// A DTS core frame header, from the sync word 7F FE 80 01 on.
bool ReadDts(std::string_view frame, AudioStream& stream) {
  if (frame.size() < 11 || Bits(frame, 0, 32) != 0x7FFE8001U) return false;
  const unsigned amode = Bits(frame, 60, 6);
  if (amode >= kDtsChannels.size()) return false;
  stream.channels = kDtsChannels[amode];
  stream.lfe = Bits(frame, 85, 2) != 0;
  return true;
}

// LPCM adds three bytes to the audio header; the second holds the channels less one.
bool ReadLpcm(std::string_view payload, AudioStream& stream) {
  if (payload.size() < kAudioHeader + 3) return false;
  stream.channels = (ByteAt(payload, kAudioHeader + 1) & 0x07) + 1;
  return true;
}

}  // namespace

void AudioScan::Feed(std::string_view payload) {
  if (payload.size() < kAudioHeader) return;
  const std::uint8_t id = ByteAt(payload, 0);
  AudioCoding coding = AudioCoding::kAc3;
  if (id >= 0x88 && id <= 0x8F) {
    coding = AudioCoding::kDts;
  } else if (id >= 0xA0 && id <= 0xA7) {
    coding = AudioCoding::kLpcm;
  } else if (id < kFirstAc3 || id > 0x87) {
    return;
  }
  AudioStream& stream = streams_.try_emplace(id, AudioStream{coding}).first->second;
  if (stream.channels != 0) return;
  AudioStream read{coding};
  const std::optional<std::string_view> frame = FirstFrame(payload);
  const bool whole = coding == AudioCoding::kLpcm  ? ReadLpcm(payload, read)
                     : !frame                      ? false
                     : coding == AudioCoding::kAc3 ? ReadAc3(*frame, read)
                                                   : ReadDts(*frame, read);
  if (whole) stream = read;
}

std::string ChannelText(const AudioStream& stream) {
  if (stream.channels == 0) return "";
  return std::to_string(stream.channels) + (stream.lfe ? ".1" : ".0");
}

}  // namespace kelvarro
