// The built wizard on a pseudo-terminal, in a temporary install tree: whole transcripts, the
// bytes of the files it writes, and exit codes.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

const std::string kNoBatchRunner =
    "\nuh-oh... i can't run process.bat: here it needs Wine, and there is no wine on the PATH. please install Wine "
    "(eg. apt-get install wine)!\n\n";

const std::string kDir = "d:\\divxstuff\\kelvarro0.7.1\\";

PtyOptions WizardIn(const TempDir& dir) {
  PtyOptions options;
  options.program = KELVARRO_WIZARD;
  options.workdir = dir.path();
  options.environment = {"PATH=/nonexistent"};
  return options;
}

// An install tree as the user leaves it: config.cfg, empty VOB files in input, and the
// directories the wizard writes into.
void MakeInstall(const TempDir& dir, const std::string& config, const std::vector<std::string>& vobs) {
  for (const char* sub : {"input", "temp", "nandub"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "config.cfg", config);
  for (const std::string& name : vobs) WriteBytes(dir / ("input/" + name), "");
}

void MakeInstall(const TempDir& dir) { MakeInstall(dir, kDir + "\r\n-r1", {"VTS_01_1.VOB", "VTS_01_2.VOB"}); }

// One answer: the text the wizard shows, then the key pressed (or the line typed) behind it.
struct Step {
  std::string shown;
  std::string typed;
};

// Types each answer only once its question is wholly on the screen: the terminal echoes
// typing at once, and a key typed while the previous one is still being taken would be echoed
// by the terminal instead of the wizard.
bool Play(PtySession& session, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (!session.Expect(step.shown)) return false;
    const bool line = step.typed.size() != 1;
    if (!(line ? session.SendLine(step.typed) : session.SendKey(step.typed[0]))) return false;
  }
  return true;
}

// What the screen shows for `steps`: each text with the echoed key or typed line behind it.
std::string Shown(const std::vector<Step>& steps) {
  std::string shown;
  for (const Step& step : steps) shown += step.shown + step.typed + (step.typed.size() != 1 ? "\n" : "");
  return shown;
}

// The answers of the constant-bitrate run: region 2, stream 0, 128 kbit/s, 4:3, no run.
const std::vector<Step> kConstantRun = {{kRegion, "2"},   {kStream, "0"}, {kVbr, "n"},
                                        {kBitrates, "5"}, {kAspect, "1"}, {kOffer, "n"}};

TEST(WizardTerminal, MissingConfigShowsTheMessageAndTakesAnUnechoedKey) {
  TempDir dir;
  PtySession session(WizardIn(dir));
  ASSERT_TRUE(session.Expect("please use setup.exe to create it!\n\n"));
  ASSERT_TRUE(session.SendKey('x'));
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_EQ(session.Transcript(),
            "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n");
}

// Answers, then the key that ends the run once the farewell is on the screen.
int PlayToTheEnd(PtySession& session, const std::vector<Step>& steps) {
  if (!Play(session, steps) || !session.Expect(kFarewell) || !session.SendKey('k')) return -2;
  return session.Finish();
}

TEST(WizardTerminal, ConstantBitrateRunWithRejectedKeysAtEveryMenu) {
  TempDir dir;
  MakeInstall(dir);
  // A VOB may be a link to the disc's file; a FIFO of that name is none (the decoder would
  // wait on it for ever).
  std::filesystem::create_directory(dir / "disc");
  std::filesystem::rename(dir / "input/VTS_01_2.VOB", dir / "disc/VTS_01_2.VOB");
  std::filesystem::create_symlink(dir / "disc/VTS_01_2.VOB", dir / "input/VTS_01_2.VOB");
  ASSERT_EQ(mkfifo((dir / "input/VTS_01_3.VOB").c_str(), 0644), 0);
  PtySession session(WizardIn(dir));
  const std::vector<Step> steps = {{kRegion, "3"}, {kRegion, "2"}, {kStream, "a"},   {kStream, "0"},
                                   {kVbr, "x"},    {kVbr, "N"},    {kBitrates, "0"}, {kBitrates, "5"},
                                   {kAspect, "6"}, {kAspect, "1"}, {kOffer, "?"},    {kOffer, "n"}};
  EXPECT_EQ(PlayToTheEnd(session, steps), 0);
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + Shown(steps) + kFarewell);
  EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), kDir + "input\\VTS_01_1.VOB\r\n" + kDir + "input\\VTS_01_2.VOB\r\n");
}

// Without a umask to narrow it, every file that either program creates gets read and write for
// owner and group, and read for others: config.cfg, which setup writes beside and renames, and
// each file of the wizard's run. Files that are already there keep their own mode.
TEST(WizardTerminal, CreatedFilesHaveMode0664) {
  TempDir dir;
  MakeInstall(dir);
  std::filesystem::remove(dir / "config.cfg");
  WriteBytes(dir / "process.bat", "old");
  chmod((dir / "process.bat").c_str(), 0600);
  PtyOptions setup_options = WizardIn(dir);
  setup_options.program = KELVARRO_SETUP;
  setup_options.argv = {kDir + "setup.exe"};
  const mode_t saved_mask = umask(0);
  PtySession setup(setup_options);
  umask(saved_mask);
  ASSERT_TRUE(setup.SendKey('2'));
  ASSERT_EQ(setup.Finish(), 0);
  umask(0);
  PtySession session(WizardIn(dir));
  umask(saved_mask);
  EXPECT_EQ(PlayToTheEnd(session, kConstantRun), 0);
  for (const char* file : {"config.cfg", "temp/menulst.tmp", "input/movie.lst", "nandub/multi.vcf"}) {
    struct stat info {};
    ASSERT_EQ(stat((dir / file).c_str(), &info), 0) << file;
    EXPECT_EQ(info.st_mode & 07777, 0664u) << file;
  }
  struct stat info {};
  ASSERT_EQ(stat((dir / "process.bat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(kDir));
}

// Keys typed before their question is on the screen wait in the terminal, and each question
// takes its own: giving the terminal its modes back between two reads keeps them.
TEST(WizardTerminal, KeysTypedAheadAreTakenEachByItsQuestion) {
  TempDir dir;
  MakeInstall(dir);
  PtySession session(WizardIn(dir));
  ASSERT_TRUE(session.Expect(kRegion));
  ASSERT_TRUE(session.WaitForKeyMode());
  ASSERT_TRUE(session.TypeNow("20n51nk"));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + Shown(kConstantRun) + kFarewell);
}

TEST(WizardTerminal, VariableBitrateRunWithTwoNumbersOnOneLineSaysThatTheBatchFileNeedsWineNotAFolderOfThatName) {
  TempDir dir;
  MakeInstall(dir, kDir + "\r\n-r7", {"VTS_01_1.VOB"});
  // The only wine on the PATH is a folder, which runs nothing.
  std::filesystem::create_directories(dir / "bin/wine");
  PtyOptions options = WizardIn(dir);
  options.environment = {"PATH=" + (dir / "bin")};
  PtySession session(options);
  // Both numbers on the first line: the maximum's prompt is shown but not waited for.
  const std::vector<Step> steps = {
      {kRegion, "0"},  {kRegion, "1"}, {kFrameRate, "3"}, {kFrameRate, "1"},    {kStream, "-"},
      {kStream, "1"},  {kVbr, "x"},    {kVbr, "Y"},       {kMinimum, "96 256"}, {kMaximum + kQuality, "a"},
      {kQuality, "2"}, {kAspect, "0"}, {kAspect, "4"},    {kOffer, "c"},        {kOffer, "y"}};
  ASSERT_TRUE(Play(session, steps) && session.Expect(kNoBatchRunner) && session.SendKey('k'));
  // Without a batch interpreter the run can only say so, and the movie is not made.
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + Shown(steps) + kNoBatchRunner);
  const std::string batch = ReadBytes(dir / "process.bat");
  EXPECT_EQ(batch.size(), 601u);
  EXPECT_NE(batch.find(" -f5 -q0 -r7 -3X 512 -3Y 288 -1 512 280 -a0x81 -o8 "), std::string::npos);
  EXPECT_NE(batch.find("\\lame.exe -h -b 96 -V 2 -B 256 "), std::string::npos);
}

// Through a pipe, as in `wizard | tee run.log`: each prompt is out before the wizard waits,
// where a number's read from the terminal flushes nothing by itself; no screen clear goes in.
TEST(WizardTerminal, ThroughAPipeEveryPromptIsOutBeforeTheWait) {
  TempDir dir;
  MakeInstall(dir, kDir + "\r\n-r7", {"VTS_01_1.VOB"});
  PtyOptions options = WizardIn(dir);
  options.argv = {"bash", "-c", "\"$0\" | while IFS= read -r -d '' -n 1 c; do printf %s \"$c\"; done", options.program};
  options.program = "/bin/bash";
  PtySession session(options);
  const std::vector<Step> steps = {{kRegion, "2"},    {kStream, "0"},  {kVbr, "y"},    {kMinimum, "96"},
                                   {kMaximum, "256"}, {kQuality, "2"}, {kAspect, "1"}, {kOffer, "n"}};
  EXPECT_EQ(PlayToTheEnd(session, steps), 0);
  EXPECT_EQ(session.Transcript(), kWelcome + Shown(steps) + kFarewell);
}

TEST(WizardTerminal, LettersAtTheMinimumSkipTheMaximumAndWriteZeros) {
  TempDir dir;
  MakeInstall(dir, "c:\\k\\\r\n-r2", {"VTS_01_1.VOB"});
  // Started from a script, as demo.sh starts it: the wizard does not lead its process group,
  // whose terminal it still owns.
  PtyOptions options = WizardIn(dir);
  options.argv = {"sh", "-c", "\"$0\"; exit $?", options.program};
  options.program = "/bin/sh";
  PtySession session(options);
  const std::vector<Step> steps = {
      {kRegion, "2"}, {kStream, "9"}, {kVbr, "y"}, {kMinimum, "fast"}, {kMaximum + kQuality, "0"},
      {kAspect, "3"}, {kOffer, "n"}};
  EXPECT_EQ(PlayToTheEnd(session, steps), 0);
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + Shown(steps) + kFarewell);
  EXPECT_EQ(ReadBytes(dir / "process.bat"),
            "start /wait c:\\k\\progs\\m2apx3g.exe -b c:\\k\\input\\movie.lst -f2 -q0 -r2 -3X 512 -3Y 384 -1 512 216"
            " -a0x89 -o8 c:\\k\\temp\\movie_1.avi\r\n"
            "c:\\k\\progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db c:\\k\\temp\\movie_1.avistream0x89.ac3"
            " c:\\k\\temp\\pcmaudio.wav\r\n"
            "c:\\k\\progs\\lame.exe -h -b 0 -V 0 -B 0 c:\\k\\temp\\pcmaudio.wav c:\\k\\temp\\audio.mp3\r\n"
            "c:\\k\\nandub\\nandub.exe /snandub\\multi.vcf /x\r\n");
}

// Without temp the listing cannot be written, without input the list cannot: each is told.
TEST(WizardTerminal, MissingDirectoriesAreToldWithoutACrash) {
  const std::pair<const char*, std::string> cases[] = {
      {"temp", "The system cannot find the path specified.\n" + NotWritten("temp\\menulst.tmp", std::strerror(ENOENT))},
      {"input", "File Not Found\n" + NotWritten("input\\movie.lst", std::strerror(ENOENT))}};
  for (const auto& [missing, shown] : cases) {
    TempDir dir;
    MakeInstall(dir);
    std::filesystem::remove_all(dir / missing);
    PtySession session(WizardIn(dir));
    ASSERT_TRUE(session.Expect(shown)) << missing;
    ASSERT_TRUE(session.SendKey('z'));
    EXPECT_EQ(session.Finish(), 1) << missing;
    EXPECT_EQ(session.Transcript(), shown) << missing;
  }
}

}  // namespace
}  // namespace kelvarro::testing

namespace kelvarro::testing {
namespace {

// Ten thousand VOB files, one name with blanks in it, a negative minimum and a maximum beyond
// 32 bits: the run still ends normally and writes what it was given. The twelve characters
// the scan takes for the name with blanks name no file, so it has no line.
TEST(WizardTerminal, ManyFilesOddNamesAndOutOfRangeNumbersEndNormally) {
  TempDir dir;
  std::vector<std::string> vobs = {"my movie.vob"};
  for (int i = 0; i < 10000; ++i) vobs.push_back("V" + std::to_string(10000000 + i).substr(1) + ".VOB");
  MakeInstall(dir, "c:\\k\\\r\n-r7", vobs);
  PtyOptions options = WizardIn(dir);
  options.timeout = std::chrono::seconds(30);
  PtySession session(options);
  const std::vector<Step> steps = {{kRegion, "2"},  {kStream, "1"}, {kVbr, "y"},  {kMinimum, "-96 99999999999"},
                                   {kQuality, "3"}, {kAspect, "5"}, {kOffer, "n"}};
  EXPECT_EQ(PlayToTheEnd(session, steps), 0);

  const std::string list = ReadBytes(dir / "input/movie.lst");
  EXPECT_NE(list.find("c:\\k\\input\\V0000000.VOB\r\n"), std::string::npos);
  EXPECT_NE(list.find("c:\\k\\input\\V0009999.VOB\r\n"), std::string::npos);
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 10000);
  EXPECT_NE(ReadBytes(dir / "process.bat").find("c:\\k\\progs\\lame.exe -h -b -96 -V 3 -B 0 c:\\k\\temp"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvarro::testing
