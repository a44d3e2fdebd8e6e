#include "wizard/batch_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/folder_naming.h"
#include "support/memory_file_system.h"
#include "wizard/interpreter_text.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

const std::string kDir = "d:\\divxstuff\\kelvarro0.7.1\\";

// The answers of the constant-bitrate example: region 2, stream 0, 128 kbit/s, aspect 1.
EncodingChoices ConstantExample() {
  EncodingChoices choices;
  choices.audio_stream_id = "0x80";
  choices.use_vbr = 'n';
  choices.cbr_kbps = 128;
  return choices;
}

// The answers of the variable-bitrate example: 23 fps, stream 1, 96..256 at quality 2, aspect 4.
EncodingChoices VariableExample() {
  EncodingChoices choices;
  choices.frame_rate_switch = "-f5";
  choices.audio_stream_id = "0x81";
  choices.use_vbr = 'Y';
  choices.vbr_min_kbps = 96;
  choices.vbr_max_kbps = 256;
  choices.vbr_quality = 2;
  choices.coded_height = 288;
  choices.target_height = 280;
  return choices;
}

// The file as the writer leaves it.
std::string Written(const WizardConfig& config, const EncodingChoices& choices) {
  MemoryFileSystem files;
  BatchWriter(files, config, choices, testing::NoShortForm());
  return files.At("process.bat");
}

std::string Line(std::size_t index, const std::string& text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
  return text.substr(start, text.find("\r\n", start) - start);
}

TEST(BatchWriter, ConstantBitrateExampleIsExactly590Bytes) {
  MemoryFileSystem files;
  BatchWriter(files, WizardConfig{kDir, "-r1"}, ConstantExample(), testing::NoShortForm());
  const std::string expected =
      "start /wait d:\\divxstuff\\kelvarro0.7.1\\progs\\m2apx3g.exe -b d:\\divxstuff\\kelvarro0.7.1\\input\\movie.lst"
      " -f2 -q0 -r1 -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 d:\\divxstuff\\kelvarro0.7.1\\temp\\movie_1.avi\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db"
      " d:\\divxstuff\\kelvarro0.7.1\\temp\\movie_1.avistream0x80.ac3 "
      "d:\\divxstuff\\kelvarro0.7.1\\temp\\pcmaudio.wav\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\progs\\lame.exe -h -b 128 d:\\divxstuff\\kelvarro0.7.1\\temp\\pcmaudio.wav"
      " d:\\divxstuff\\kelvarro0.7.1\\temp\\audio.mp3\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
  ASSERT_TRUE(files.Has("process.bat"));
  EXPECT_EQ(files.At("process.bat"), expected);
  EXPECT_EQ(files.At("process.bat").size(), 590u);
}

TEST(BatchWriter, VariableBitrateExampleIsExactly601Bytes) {
  const std::string text = Written(WizardConfig{kDir, "-r7"}, VariableExample());
  const std::string expected =
      "start /wait d:\\divxstuff\\kelvarro0.7.1\\progs\\m2apx3g.exe -b d:\\divxstuff\\kelvarro0.7.1\\input\\movie.lst"
      " -f5 -q0 -r7 -3X 512 -3Y 288 -1 512 280 -a0x81 -o8 d:\\divxstuff\\kelvarro0.7.1\\temp\\movie_1.avi\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db"
      " d:\\divxstuff\\kelvarro0.7.1\\temp\\movie_1.avistream0x81.ac3 "
      "d:\\divxstuff\\kelvarro0.7.1\\temp\\pcmaudio.wav\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\progs\\lame.exe -h -b 96 -V 2 -B 256 "
      "d:\\divxstuff\\kelvarro0.7.1\\temp\\pcmaudio.wav"
      " d:\\divxstuff\\kelvarro0.7.1\\temp\\audio.mp3\r\n"
      "d:\\divxstuff\\kelvarro0.7.1\\nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.size(), 601u);
}

TEST(BatchWriter, EmptyConfigValuesLeaveRelativePathsAndTwoBlanksBeforeTheWidth) {
  const std::string text = Written(WizardConfig{"", ""}, ConstantExample());
  EXPECT_EQ(Line(0, text),
            "start /wait progs\\m2apx3g.exe -b input\\movie.lst -f2 -q0  -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 "
            "temp\\movie_1.avi");
  EXPECT_EQ(Line(1, text),
            "progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db temp\\movie_1.avistream0x80.ac3 temp\\pcmaudio.wav");
  EXPECT_EQ(Line(2, text), "progs\\lame.exe -h -b 128 temp\\pcmaudio.wav temp\\audio.mp3");
  EXPECT_EQ(Line(3, text), "nandub\\nandub.exe /snandub\\multi.vcf /x");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(BatchWriter, StreamNineNamesItsSoundFileInBothLines) {
  EncodingChoices choices = ConstantExample();
  choices.audio_stream_id = "0x89";
  const std::string text = Written(WizardConfig{"c:\\k\\", "-r2"}, choices);
  EXPECT_NE(Line(0, text).find(" -a0x89 -o8 "), std::string::npos);
  EXPECT_NE(Line(1, text).find(" c:\\k\\temp\\movie_1.avistream0x89.ac3 "), std::string::npos);
}

TEST(BatchWriter, VariableBitrateValuesAreWrittenAsHeld) {
  EncodingChoices failed_entries = VariableExample();
  failed_entries.vbr_min_kbps = 0;
  failed_entries.vbr_max_kbps = 0;
  failed_entries.vbr_quality = 0;
  EXPECT_EQ(Line(2, Written(WizardConfig{"", "-r1"}, failed_entries)),
            "progs\\lame.exe -h -b 0 -V 0 -B 0 temp\\pcmaudio.wav temp\\audio.mp3");

  EncodingChoices extremes = VariableExample();
  extremes.vbr_min_kbps = -2147483647 - 1;
  extremes.vbr_max_kbps = 2147483647;
  EXPECT_EQ(Line(2, Written(WizardConfig{"", "-r1"}, extremes)),
            "progs\\lame.exe -h -b -2147483648 -V 2 -B 2147483647 temp\\pcmaudio.wav temp\\audio.mp3");
}

TEST(InterpreterText, EscapesTheCharactersTheInterpreterGivesAMeaning) {
  EXPECT_EQ(EscapeForInterpreter("d:\\divxstuff\\kelvarro0.7.1\\"), "d:\\divxstuff\\kelvarro0.7.1\\");
  EXPECT_EQ(EscapeForInterpreter(""), "");
  EXPECT_EQ(EscapeForInterpreter("D:\\R&D\\"), "D:\\R^&D\\");
  EXPECT_EQ(EscapeForInterpreter("c:\\x&calc&\\"), "c:\\x^&calc^&\\");
  EXPECT_EQ(EscapeForInterpreter("%PATH%^^"), "%%PATH%%^^^^");
  EXPECT_EQ(EscapeForInterpreter("a!b\"(c)<d>|e"), "a!b\"(c)<d>|e") << "quotes, redirections and pipes are left alone";
}

// Only the batch file escapes: the other files keep the path exactly as config.cfg holds it.
TEST(BatchWriter, InstallDirAndSwitchAreEscapedInEveryLine) {
  const std::string text = Written(WizardConfig{"e:\\R&D 100%^\\", "-r%"}, ConstantExample());
  const std::string dir = "e:\\R^&D 100%%^^\\";
  EXPECT_EQ(Line(0, text), "start /wait " + dir + "progs\\m2apx3g.exe -b " + dir +
                               "input\\movie.lst -f2 -q0 -r%% -3X 512 -3Y 384 -1 512 384 -a0x80 -o8 " + dir +
                               "temp\\movie_1.avi");
  EXPECT_EQ(Line(1, text), dir + "progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db " + dir +
                               "temp\\movie_1.avistream0x80.ac3 " + dir + "temp\\pcmaudio.wav");
  EXPECT_EQ(Line(2, text), dir + "progs\\lame.exe -h -b 128 " + dir + "temp\\pcmaudio.wav " + dir + "temp\\audio.mp3");
  EXPECT_EQ(Line(3, text), dir + "nandub\\nandub.exe /snandub\\multi.vcf /x");
}

// The interpreter cuts an unquoted command at ; , = ( ) as at a blank: such a folder goes in
// by its short form, escaped like any other, as does one that leaves the tools no room for
// their file names; without one, as it stands. A folder no Windows program can enter is not
// looked up.
TEST(BatchWriter, FolderTheInterpreterWouldCutGoesInByItsShortForm) {
  const testing::FakeShortForms lookup([](const std::string&) { return ShortForm{"E:\\R&D~1\\", ""}; });
  const std::vector<std::string>& looked_up = lookup.asked;
  const std::string too_long_for_the_tools = "e:\\" + std::string(226, 'x') + "\\";
  for (const std::string dir : {"e:\\a;b\\", "e:\\a,b\\", "e:\\a=b\\", "e:\\a(b)\\", too_long_for_the_tools.c_str()}) {
    MemoryFileSystem files;
    BatchWriter(files, WizardConfig{dir, "-r1"}, ConstantExample(), lookup);
    EXPECT_EQ(Line(3, files.At("process.bat")), "E:\\R^&D~1\\nandub\\nandub.exe /snandub\\multi.vcf /x") << dir;
    EXPECT_EQ(looked_up.back(), dir);
  }
  EXPECT_EQ(looked_up.size(), 5u);
  EXPECT_EQ(Line(3, Written(WizardConfig{"e:\\a;b&c\\", "-r1"}, ConstantExample())),
            "e:\\a;b^&c\\nandub\\nandub.exe /snandub\\multi.vcf /x");
  MemoryFileSystem files;
  BatchWriter(files, WizardConfig{"e:\\a b?\\", "-r1"}, ConstantExample(), lookup);
  EXPECT_EQ(Line(3, files.At("process.bat")), "e:\\a b?\\nandub\\nandub.exe /snandub\\multi.vcf /x");
  EXPECT_EQ(looked_up.size(), 5u);
}

TEST(BatchWriter, ReplacesAnEarlierLongerFileWholeAndSurvivesAnUnwritableOne) {
  MemoryFileSystem files;
  files.files["process.bat"] = std::string(4000, 'x');
  BatchWriter(files, WizardConfig{"e:\\", "-r1"}, ConstantExample(), testing::NoShortForm());
  EXPECT_EQ(files.At("process.bat"), Written(WizardConfig{"e:\\", "-r1"}, ConstantExample()));

  MemoryFileSystem locked;
  locked.unwritable.insert("process.bat");
  BatchWriter(locked, WizardConfig{"e:\\", "-r1"}, ConstantExample(), testing::NoShortForm());
  EXPECT_FALSE(locked.Has("process.bat"));
}

}  // namespace
}  // namespace kelvarro
