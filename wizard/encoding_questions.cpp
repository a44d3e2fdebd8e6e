#include "wizard/encoding_questions.h"

#include <array>
#include <string>

#include "common/prompts.h"

namespace kelvarro {
namespace {

struct PictureSizes {
  std::int32_t coded_width;
  std::int32_t coded_height;
  std::int32_t target_width;
  std::int32_t target_height;
};

// Indexed by key - '1'. Key '7' is 196, the value its menu line shows.
constexpr std::array<std::int32_t, 9> kConstantBitrates = {64, 80, 96, 112, 128, 160, 196, 256, 320};

// Indexed by key - '1': three 4:3 coded choices, then two 16:9 coded ones.
constexpr std::array<PictureSizes, 5> kAspectSizes = {{
    {512, 384, 512, 384},
    {512, 384, 512, 280},
    {512, 384, 512, 216},
    {512, 288, 512, 280},
    {512, 288, 512, 216},
}};

std::size_t IndexOf(char key, char first) { return static_cast<std::size_t>(key - first); }

void AskVariableBitrate(Console& console, EncodingChoices& choices) {
  console.Write("\n\nplease enter the minimum bitrate in kbit/s: ");
  console.ReadInt(choices.vbr_min_kbps);
  // After a failed entry, or when the first line held both numbers, this returns at once.
  console.Write("\nplease enter the maximum bitrate in kbit/s: ");
  console.ReadInt(choices.vbr_max_kbps);
  const char quality = KeyMenu(console, {"\nplease choose the quality level (0-9): "}, KeySet::Range('0', '9'));
  choices.vbr_quality = quality - '0';
}

void AskConstantBitrate(Console& console, EncodingChoices& choices) {
  const char key = KeyMenu(console,
                           {"\n\n[1]\t64 kbit/s\n[2]\t80 kbit/s\n[3]\t96 kbit/s\n[4]\t112 kbit/s\n[5]\t128 kbit/s\n"
                            "[6]\t160 kbit/s\n[7]\t196 kbit/s\n[8]\t256 kbit/s\n[9]\t320 kbit/s\n",
                            "please choose the mp3 bitrate: "},
                           KeySet::Range('1', '9'));
  choices.cbr_kbps = kConstantBitrates[IndexOf(key, '1')];
}

}  // namespace

char AskRegion(Console& console, std::string_view hint) {
  console.Write(hint);
  return KeyMenu(console, {"\nplease choose the region code of the DVD (1 or 2): "}, KeySet::Range('1', '2'));
}

void DecideFrameRate(Console& console, char region, EncodingChoices& choices, std::string_view hint) {
  if (region != '1') {
    choices.frame_rate_switch = "-f2";
    return;
  }
  console.Write(hint);
  const char key = KeyMenu(
      console, {"\n\n[1]\t23 fps (standard)\n[2]\t29 fps (for audio-sync problems)\nplease choose the framerate: "},
      KeySet::Range('1', '2'));
  choices.frame_rate_switch = key == '1' ? "-f5" : "-f6";
}

void AskAudioStream(Console& console, EncodingChoices& choices, std::string_view hint, const StreamJudge& judge) {
  console.Write(hint);
  for (;;) {
    const char key = KeyMenu(console, {"\n\nplease choose the audiostream (0-9): "}, KeySet::Range('0', '9'));
    const StreamVerdict verdict = judge ? judge(key) : StreamVerdict{};
    console.Write(verdict.line);
    if (!verdict.refused) {
      choices.audio_stream_id = std::string("0x8") + key;
      return;
    }
  }
}

void AskMp3Mode(Console& console, EncodingChoices& choices) {
  choices.use_vbr = KeyMenu(console, {"\n\ndo you want to use VBR for the mp3 audio (y/n)? "}, KeySet::YesNo());
  if (choices.UsesVbr()) {
    AskVariableBitrate(console, choices);
  } else {
    AskConstantBitrate(console, choices);
  }
}

void AskAspect(Console& console, EncodingChoices& choices, std::string_view hint) {
  console.Write(hint);
  const char key =
      KeyMenu(console,
              {"\n\n4:3 coded:\n[1]\t1:1.33 (real 4:3)\n[2]\t1:1.85\n[3]\t1:2.35\n\n",
               "16:9 coded:\n[4]\t1:1.85 (real 16:9)\n[5]\t1:2.35 (widescreen)\n", "please choose the aspect ratio: "},
              KeySet::Range('1', '5'));
  const PictureSizes& sizes = kAspectSizes[IndexOf(key, '1')];
  choices.coded_width = sizes.coded_width;
  choices.coded_height = sizes.coded_height;
  choices.target_width = sizes.target_width;
  choices.target_height = sizes.target_height;
}

}  // namespace kelvarro
