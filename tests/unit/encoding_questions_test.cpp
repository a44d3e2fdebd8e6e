#include "wizard/encoding_questions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/dialogue_texts.h"
#include "support/scripted_console.h"

namespace kelvarro {
namespace {

using namespace testing::texts;

using testing::ScriptedConsole;

TEST(RegionAndFrameRate, RegionTwoSkipsTheFrameRateMenuAfterRejectedKeys) {
  ScriptedConsole console("03 2");
  EncodingChoices choices;
  choices.frame_rate_switch = "-f6";  // whatever it held, region 2 means -f2
  const char region = AskRegion(console);
  DecideFrameRate(console, region, choices);
  EXPECT_EQ(region, '2');
  EXPECT_EQ(choices.frame_rate_switch, "-f2");
  EXPECT_EQ(console.Output(), kRegion + "0" + kRegion + "3" + kRegion + " " + kRegion + "2");
}

TEST(RegionAndFrameRate, RegionOneAsksTheFrameRate) {
  ScriptedConsole console("1x31");
  EncodingChoices choices;
  DecideFrameRate(console, AskRegion(console), choices);
  EXPECT_EQ(choices.frame_rate_switch, "-f5");
  EXPECT_EQ(console.Output(), kRegion + "1" + kFrameRate + "x" + kFrameRate + "3" + kFrameRate + "1");

  ScriptedConsole second("12");
  DecideFrameRate(second, AskRegion(second), choices);
  EXPECT_EQ(choices.frame_rate_switch, "-f6");
}

TEST(AudioStream, DigitIsAppendedAsTypedAndOtherKeysRepeat) {
  ScriptedConsole console("a 0");
  EncodingChoices choices;
  AskAudioStream(console, choices);
  EXPECT_EQ(choices.audio_stream_id, "0x80");
  EXPECT_EQ(console.Output(), kStream + "a" + kStream + " " + kStream + "0");

  ScriptedConsole nine("9");
  AskAudioStream(nine, choices);
  EXPECT_EQ(choices.audio_stream_id, "0x89");
}

TEST(Mp3Mode, ConstantBitrateShowsTheWholeTableAgainOnEachRejectedKey) {
  ScriptedConsole console("xN07");
  EncodingChoices choices;
  AskMp3Mode(console, choices);
  EXPECT_FALSE(choices.UsesVbr());
  EXPECT_EQ(choices.use_vbr, 'N');
  EXPECT_EQ(choices.cbr_kbps, 196);
  EXPECT_EQ(choices.vbr_quality, 10);  // the other branch is left alone
  EXPECT_EQ(console.Output(), kVbr + "x" + kVbr + "N" + kBitrates + "0" + kBitrates + "7");

  // Each key gives the bitrate its line shows.
  const int kbps[] = {64, 80, 96, 112, 128, 160, 196, 256, 320};
  for (char key = '1'; key <= '9'; ++key) {
    ScriptedConsole one(std::string("n") + key);
    AskMp3Mode(one, choices);
    EXPECT_EQ(choices.cbr_kbps, kbps[key - '1']) << key;
  }
}

TEST(Mp3Mode, VariableBitrateAsksBothNumbersAndTheQualityButNeverTheTable) {
  ScriptedConsole console("Y96\n256\nq0");
  EncodingChoices choices;
  AskMp3Mode(console, choices);
  EXPECT_TRUE(choices.UsesVbr());
  EXPECT_EQ(choices.vbr_min_kbps, 96);
  EXPECT_EQ(choices.vbr_max_kbps, 256);
  EXPECT_EQ(choices.vbr_quality, 0);
  EXPECT_EQ(choices.cbr_kbps, 0);
  // The line end left behind the second number is the first key at the quality question.
  EXPECT_EQ(console.Output(), kVbr + "Y" + kMinimum + kMaximum + kQuality + "\n" + kQuality + "q" + kQuality + "0");
}

TEST(Mp3Mode, LettersAtTheMinimumLeaveBothBitratesAtZeroAndTheQualityStillWorks) {
  ScriptedConsole console("yabc\n4");
  EncodingChoices choices;
  AskMp3Mode(console, choices);
  EXPECT_EQ(choices.vbr_min_kbps, 0);
  EXPECT_EQ(choices.vbr_max_kbps, 0);
  // The unread letters come up as keys and are rejected one by one.
  EXPECT_EQ(choices.vbr_quality, 4);
  EXPECT_EQ(console.Output(), kVbr + "y" + kMinimum + kMaximum + kQuality + "a" + kQuality + "b" + kQuality + "c" +
                                  kQuality + "\n" + kQuality + "4");
}

TEST(Mp3Mode, TwoNumbersOnOneLineAnswerBothPrompts) {
  ScriptedConsole console("y-96 300000\n5");
  EncodingChoices choices;
  AskMp3Mode(console, choices);
  EXPECT_EQ(choices.vbr_min_kbps, -96);
  EXPECT_EQ(choices.vbr_max_kbps, 300000);
  EXPECT_EQ(choices.vbr_quality, 5);
  EXPECT_EQ(console.Output(), kVbr + "y" + kMinimum + kMaximum + kQuality + "\n" + kQuality + "5");
}

TEST(Mp3Mode, NumberFollowedByLettersKeepsTheNumberAndFailsTheMaximum) {
  ScriptedConsole console("y128kb\n256\n7");
  EncodingChoices choices;
  AskMp3Mode(console, choices);
  EXPECT_EQ(choices.vbr_min_kbps, 128);
  EXPECT_EQ(choices.vbr_max_kbps, 0);  // the failed stream never reaches the 256
  EXPECT_EQ(choices.vbr_quality, 2);   // "kb\n" rejected, then the 2 of 256
}

TEST(Aspect, EveryKeySetsAllFourSizesAndOtherKeysRepeatAllThreeTexts) {
  ScriptedConsole console("064");
  EncodingChoices choices;
  AskAspect(console, choices);
  EXPECT_EQ(console.Output(), kAspect + "0" + kAspect + "6" + kAspect + "4");

  const int heights[][2] = {{384, 384}, {384, 280}, {384, 216}, {288, 280}, {288, 216}};
  for (char key = '1'; key <= '5'; ++key) {
    ScriptedConsole one(std::string(1, key));
    EncodingChoices sized;
    sized.coded_width = sized.coded_height = sized.target_width = sized.target_height = 1;
    AskAspect(one, sized);
    EXPECT_EQ(sized.coded_width, 512) << key;
    EXPECT_EQ(sized.target_width, 512) << key;
    EXPECT_EQ(sized.coded_height, heights[key - '1'][0]) << key;
    EXPECT_EQ(sized.target_height, heights[key - '1'][1]) << key;
  }
}

}  // namespace
}  // namespace kelvarro
