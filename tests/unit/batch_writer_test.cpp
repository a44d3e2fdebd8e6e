#include "wizard/batch_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/folder_naming.h"
#include "support/golden_files.h"
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

// process.bat for a directory and a switch as the interpreter must read them, the decoder's
// frame rate, switch and picture sizes, the stream, and the encoder's bitrate part.
std::string BatchFile(const std::string& dir, const std::string& decoder, const std::string& stream,
                      const std::string& bitrate) {
  return "start /wait " + dir + "progs\\m2apx3g.exe -b " + dir + "input\\movie.lst " + decoder + " -a" + stream +
         " -o8 " + dir + "temp\\movie_1.avi\r\n" + dir + "progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db " +
         dir + "temp\\movie_1.avistream" + stream + ".ac3 " + dir + "temp\\pcmaudio.wav\r\n" + dir +
         "progs\\lame.exe -h -b " + bitrate + " " + dir + "temp\\pcmaudio.wav " + dir + "temp\\audio.mp3\r\n" + dir +
         "nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
}

// The file as the writer leaves it in place of an earlier, longer one.
std::string Written(const WizardConfig& config, const EncodingChoices& choices, const ShortForms& short_forms) {
  MemoryFileSystem files;
  files.files["process.bat"] = std::string(4000, 'x');
  EXPECT_FALSE(BatchWriter(files, config, choices, short_forms).has_value());
  return files.At("process.bat");
}

// Values are written as they are held, numbers in plain decimal; the install directory and the
// switch are escaped in every line, and empty ones leave relative paths and two blanks.
TEST(BatchWriter, WritesFourLinesOfTheValuesAsHeld) {
  EncodingChoices stream_nine = ConstantExample();
  stream_nine.audio_stream_id = "0x89";
  EncodingChoices failed_entries = VariableExample();
  failed_entries.vbr_min_kbps = 0;
  failed_entries.vbr_max_kbps = 0;
  failed_entries.vbr_quality = 0;
  EncodingChoices extremes = VariableExample();
  extremes.vbr_min_kbps = -2147483647 - 1;
  extremes.vbr_max_kbps = 2147483647;
  const std::string constant = "-f2 -q0 -r1 -3X 512 -3Y 384 -1 512 384";
  const std::string variable = "-f5 -q0 -r1 -3X 512 -3Y 288 -1 512 280";
  const struct {
    WizardConfig config;
    EncodingChoices choices;
    std::string expected;
  } cases[] = {
      {{kDir, "-r1"}, ConstantExample(), testing::ConstantRunBatchFile(kDir)},
      {{kDir, "-r7"},
       VariableExample(),
       BatchFile(kDir, "-f5 -q0 -r7 -3X 512 -3Y 288 -1 512 280", "0x81", "96 -V 2 -B 256")},
      {{"", ""}, ConstantExample(), BatchFile("", "-f2 -q0  -3X 512 -3Y 384 -1 512 384", "0x80", "128")},
      {{"c:\\k\\", "-r1"}, stream_nine, BatchFile("c:\\k\\", constant, "0x89", "128")},
      {{"", "-r1"}, failed_entries, BatchFile("", variable, "0x81", "0 -V 0 -B 0")},
      {{"", "-r1"}, extremes, BatchFile("", variable, "0x81", "-2147483648 -V 2 -B 2147483647")},
      // Only the batch file escapes: the other files keep the path as config.cfg holds it.
      {{"e:\\R&D 100%^\\", "-r%"},
       ConstantExample(),
       BatchFile("e:\\R^&D 100%%^^\\", "-f2 -q0 -r%% -3X 512 -3Y 384 -1 512 384", "0x80", "128")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Written(c.config, c.choices, testing::NoShortForm()), c.expected) << c.config.install_dir;
  }
}

TEST(InterpreterText, EscapesTheCharactersTheInterpreterGivesAMeaning) {
  EXPECT_EQ(EscapeForInterpreter("d:\\divxstuff\\kelvarro0.7.1\\"), "d:\\divxstuff\\kelvarro0.7.1\\");
  EXPECT_EQ(EscapeForInterpreter(""), "");
  EXPECT_EQ(EscapeForInterpreter("D:\\R&D\\"), "D:\\R^&D\\");
  EXPECT_EQ(EscapeForInterpreter("c:\\x&calc&\\"), "c:\\x^&calc^&\\");
  EXPECT_EQ(EscapeForInterpreter("%PATH%^^"), "%%PATH%%^^^^");
  EXPECT_EQ(EscapeForInterpreter("a!b\"(c)<d>|e"), "a!b\"(c)<d>|e") << "quotes, redirections and pipes are left alone";
}

// The interpreter cuts an unquoted command at ; , = ( ) as at a blank: such a folder goes in
// by its short form, escaped like any other, as does one that leaves the tools no room for
// their file names; without one, as it stands. A folder no Windows program can enter is not
// looked up.
TEST(BatchWriter, FolderTheInterpreterWouldCutGoesInByItsShortForm) {
  const testing::FakeShortForms lookup([](const std::string&) { return ShortForm{"E:\\R&D~1\\", ""}; });
  const std::vector<std::string>& looked_up = lookup.asked;
  const std::string constant = "-f2 -q0 -r1 -3X 512 -3Y 384 -1 512 384";
  const std::string too_long_for_the_tools = "e:\\" + std::string(226, 'x') + "\\";
  for (const std::string dir : {"e:\\a;b\\", "e:\\a,b\\", "e:\\a=b\\", "e:\\a(b)\\", too_long_for_the_tools.c_str()}) {
    EXPECT_EQ(Written(WizardConfig{dir, "-r1"}, ConstantExample(), lookup),
              BatchFile("E:\\R^&D~1\\", constant, "0x80", "128"))
        << dir;
    EXPECT_EQ(looked_up.back(), dir);
  }
  EXPECT_EQ(looked_up.size(), 5u);
  EXPECT_EQ(Written(WizardConfig{"e:\\a;b&c\\", "-r1"}, ConstantExample(), testing::NoShortForm()),
            BatchFile("e:\\a;b^&c\\", constant, "0x80", "128"));
  EXPECT_EQ(Written(WizardConfig{"e:\\a b?\\", "-r1"}, ConstantExample(), lookup),
            BatchFile("e:\\a b?\\", constant, "0x80", "128"));
  EXPECT_EQ(looked_up.size(), 5u);
}

}  // namespace
}  // namespace kelvarro
