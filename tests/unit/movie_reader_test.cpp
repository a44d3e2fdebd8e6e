#include "wizard/movie_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/disc_fixtures.h"
#include "support/memory_file_system.h"
#include "wizard/disc_advice.h"

namespace kelvarro {
namespace {

using testing::DiscFixture;
using testing::MemoryFileSystem;

// The facts in one line: size, rate and aspect codes, pictures with a repeated field, streams.
std::string Describe(const DiscFacts& facts) {
  const VideoFacts& v = facts.video;
  std::string text = std::to_string(v.width) + "x" + std::to_string(v.height) + " rate " +
                     std::to_string(v.frame_rate_code) + " aspect " + std::to_string(v.aspect_code) + " repeated " +
                     std::to_string(v.repeated_field) + "/" + std::to_string(v.pictures);
  for (const auto& [id, stream] : facts.audio) {
    text += "; " + std::to_string(id - 0x80) + " " + ChannelText(stream) + " " + std::to_string(stream.kbps);
  }
  return text;
}

DiscFacts Read(MemoryFileSystem& files, const std::vector<std::string>& names) {
  return ReadMovie(files, ChooseMovie(files, names));
}

// What each encoder was told (make.sh): PAL 16:9 with AC3 2.0 at 192 and 5.1 at 448; NTSC 4:3
// with AC3 2.0 at 192 and DTS 5.1 (0x88); NTSC film from mpeg2enc -p, 48 pictures, every
// other one repeating a field, with AC3 mono at 96; PAL 4:3 with LPCM stereo (0xA0).
TEST(MovieReader, TellsWhatTheEncodersWereAskedFor) {
  const struct {
    const char* file;
    const char* facts;
  } cases[] = {
      {"pal_16x9_two_ac3.vob", "720x576 rate 3 aspect 3 repeated 0/50; 0 2.0 192; 1 5.1 448"},
      {"ntsc_4x3_ac3_dts.vob", "720x480 rate 4 aspect 2 repeated 0/60; 0 2.0 192; 8 5.1 0"},
      {"ntsc_film.vob", "720x480 rate 4 aspect 2 repeated 24/48; 0 1.0 96"},
      {"lpcm_only.vob", "720x576 rate 3 aspect 2 repeated 0/50; 32 2.0 0"},
  };
  for (const auto& [file, expected] : cases) {
    MemoryFileSystem files;
    files.files["input\\VTS_01_1.VOB"] = DiscFixture(file);
    const DiscFacts facts = Read(files, {"VTS_01_1.VOB"});
    EXPECT_TRUE(facts.read && facts.whole) << file;
    EXPECT_EQ(Describe(facts), expected) << file;
  }
}

// The largest title set is the movie, its parts in order; a menu VOB, a smaller set and
// a file with no program stream at its start are not read.
TEST(MovieReader, ReadsTheLargestTitleSetAndNothingOfAFileWithoutAProgramStream) {
  MemoryFileSystem files;
  files.files["input\\VTS_01_1.VOB"] = DiscFixture("ntsc_film.vob");
  files.files["input\\vts_02_2.vob"] = DiscFixture("ntsc_4x3_ac3_dts.vob");
  files.files["input\\VTS_02_1.VOB"] = DiscFixture("pal_16x9_two_ac3.vob");
  files.files["input\\VTS_02_0.VOB"] = std::string(2 << 20, 'm');
  const DiscFacts facts = Read(files, {"VTS_01_1.VOB", "VTS_02_0.VOB", "VTS_02_1.VOB", "vts_02_2.vob"});
  EXPECT_EQ(Describe(facts), "720x576 rate 3 aspect 3 repeated 0/50; 0 2.0 192; 1 5.1 448; 8 5.1 0");
  EXPECT_TRUE(facts.whole);

  files.files["input\\MOVIE.VOB"] = "not a program stream";
  EXPECT_FALSE(Read(files, {"MOVIE.VOB"}).read);
  files.unreadable.insert("input\\VTS_02_1.VOB");
  EXPECT_FALSE(Read(files, {"VTS_02_1.VOB", "vts_02_2.vob"}).read);
}

// A long title: 32 MiB of its first part and four probes of 2 MiB, which find a stream that
// starts only in the last part; such a title is not read whole, so a stream not met is only
// not seen.
TEST(MovieReader, ReadsTheStartAndFourProbesOfALongTitle) {
  MemoryFileSystem files;
  const std::string pal = DiscFixture("pal_16x9_two_ac3.vob");
  std::string& first = files.files["input\\VTS_01_1.VOB"];
  while (first.size() < (48u << 20)) first += pal;
  files.files["input\\VTS_01_2.VOB"] = DiscFixture("ntsc_4x3_ac3_dts.vob");
  const DiscFacts facts = Read(files, {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  EXPECT_EQ(facts.bytes_read, kStartBytes + kProbes * kProbeBytes);
  EXPECT_FALSE(facts.whole);
  EXPECT_EQ(facts.audio.count(0x88), 1u);
  const DiscAdvice advice(facts);
  EXPECT_FALSE(advice.JudgeStream('3').refused);
  EXPECT_EQ(advice.JudgeStream('3').line, "\nstream 3 was not seen in the parts of the movie read; taken.");
  EXPECT_TRUE(advice.JudgeStream('8').refused);
}

}  // namespace
}  // namespace kelvarro
