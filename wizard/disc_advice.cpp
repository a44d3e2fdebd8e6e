#include "wizard/disc_advice.h"

#include <string_view>
#include <utility>

#include "wizard/language_names.h"

namespace kelvarro {
namespace {

constexpr int kFilmRate = 1;
// Film carries repeat_first_field on half of its pictures, video on none: below the one share
// it is video, from the other on film, and in between a mix of both.
constexpr int kVideoBelowPercent = 2;
constexpr int kFilmFromPercent = 40;

const char* CodingName(AudioCoding coding) {
  switch (coding) {
    case AudioCoding::kDts:
      return "DTS";
    case AudioCoding::kLpcm:
      return "LPCM";
    case AudioCoding::kMpeg:
      return "MPEG";
    case AudioCoding::kAc3:
      break;
  }
  return "AC3";
}

// ", de German, director's comments": what the information file tells of a stream.
std::string Described(const ListedStream& stream) {
  std::string text;
  if (!stream.language.empty()) {
    text += ", " + stream.language;
    const std::string_view name = LanguageName(stream.language);
    if (!name.empty()) text += " " + std::string(name);
  }
  constexpr const char* kKinds[] = {"", "normal", "for the visually impaired", "director's comments",
                                    "director's comments"};
  if (stream.code_extension > 0) text += std::string(", ") + kKinds[stream.code_extension];
  return text;
}

// The key that names substream `id`, as the audio question takes it; '-' for none.
char KeyOf(std::uint8_t id) { return id >= kFirstAc3 && id <= kFirstAc3 + 9 ? char('0' + (id - kFirstAc3)) : '-'; }

}  // namespace

bool DiscAdvice::IsPal() const { return facts_.read && StandardOf(facts_.video) == VideoStandard::kPal; }

bool DiscAdvice::IsNtsc() const { return facts_.read && StandardOf(facts_.video) == VideoStandard::kNtsc; }

bool DiscAdvice::HasAc3() const {
  for (const auto& [id, stream] : Streams()) {
    if (stream.coding == AudioCoding::kAc3) return true;
  }
  return false;
}

std::map<std::uint8_t, DiscAdvice::Stream> DiscAdvice::Streams() const {
  std::map<std::uint8_t, Stream> streams;
  for (const auto& [id, met] : facts_.audio) streams[id] = {met.coding, &met, nullptr};
  if (!info_) return streams;
  for (const ListedStream& listed : info_->audio) {
    Stream& stream = streams.try_emplace(listed.id, Stream{listed.coding}).first->second;
    if (stream.listed == nullptr) stream.listed = &listed;
  }
  return streams;
}

std::string DiscAdvice::RegionHint() const {
  const std::string size = std::to_string(facts_.video.width) + "x" + std::to_string(facts_.video.height);
  if (IsPal()) return "\nthe disc is PAL, " + size + " at 25 fps: answer 2.";
  const char* rate = facts_.video.frame_rate_code == kFilmRate ? "23.976" : "29.97";
  if (IsNtsc()) return "\nthe disc is NTSC, " + size + " at " + rate + " fps: answer 1.";
  return "";
}

std::string DiscAdvice::FrameRateHint() const {
  if (IsPal()) return "\nthe disc is PAL, 25 fps: neither rate fits it.";
  const VideoFacts& v = facts_.video;
  if (!IsNtsc() || v.pictures == 0) return "";
  const auto percent = static_cast<int>(v.repeated_field * 100 / v.pictures);
  const std::string share = "(" + std::to_string(percent) + "% of the pictures repeat a field)";
  if (percent >= kFilmFromPercent) return "\nthe movie is film " + share + ": answer 1.";
  if (percent < kVideoBelowPercent) return "\nthe movie is video " + share + ": answer 2.";
  return "\nthe movie mixes film and video " + share + ": answer 2 keeps the sound in sync.";
}

std::string DiscAdvice::AudioHint() const {
  if (!facts_.read) return "";
  std::string hint;
  const std::map<std::uint8_t, Stream> streams = Streams();
  if (!streams.empty()) hint += "\nthe disc's audio streams:";
  for (const auto& [id, stream] : streams) {
    hint += std::string("\n[") + KeyOf(id) + "]\t" + CodingName(stream.coding);
    if (stream.met != nullptr) {
      const std::string channels = ChannelText(*stream.met);
      if (!channels.empty()) hint += " " + channels;
      if (stream.met->kbps != 0) hint += ", " + std::to_string(stream.met->kbps) + " kbit/s";
    }
    if (stream.listed != nullptr) hint += Described(*stream.listed);
    if (stream.met == nullptr) hint += ", not seen in the parts read";
  }
  if (!HasAc3()) hint += "\nno AC3 stream was found, and the sound decoder reads AC3 only.";
  return hint;
}

std::string DiscAdvice::AspectHint() const {
  if (!facts_.read || !facts_.video.seen) return "";
  if (facts_.video.aspect_code == kAspect4To3) return "\nthe picture is coded 4:3: answer 1, 2 or 3.";
  if (facts_.video.aspect_code == kAspect16To9) return "\nthe picture is coded 16:9: answer 4 or 5.";
  return "";
}

std::string DiscAdvice::StreamList() const {
  std::string list;
  for (const auto& [id, stream] : Streams()) {
    list += std::string(list.empty() ? "" : ", ") + "[" + KeyOf(id) + "] " + CodingName(stream.coding);
    if (stream.listed != nullptr && !stream.listed->language.empty()) list += " " + stream.listed->language;
  }
  return list;
}

StreamVerdict DiscAdvice::JudgeStream(char key) const {
  if (!facts_.read || !HasAc3()) return {};
  const auto id = static_cast<std::uint8_t>(kFirstAc3 + (key - '0'));
  const std::map<std::uint8_t, Stream> streams = Streams();
  const auto found = streams.find(id);
  const bool ac3 = found != streams.end() && found->second.coding == AudioCoding::kAc3;
  if (ac3 && found->second.met != nullptr) return {};
  if (key >= '8' || facts_.whole || (info_ && !ac3)) {
    return {true, std::string("\nkey ") + key + " gives no sound, the disc has: " + StreamList() + "."};
  }
  return {false, std::string("\nstream ") + key + " was not seen in the parts of the movie read; taken."};
}

}  // namespace kelvarro
