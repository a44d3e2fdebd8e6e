#include "setup/setup_dialogue.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/folder_naming.h"
#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"
#include "support/scripted_console.h"

namespace kelvarro {
namespace {

using namespace testing::texts;

using testing::FakeShortForms;
using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
using testing::ScriptedConsole;

struct SetupRun {
  int exit_code;
  std::string output;
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
};

SetupRun RunWith(const std::string& program_path, const std::string& input, MemoryFileSystem files = {},
                 const ShortForms& short_forms = FakeShortForms()) {
  SetupRun run{0, "", std::move(files), {}};
  ScriptedConsole console(input);
  run.exit_code = RunSetup(console, run.interpreter, run.files, program_path, short_forms);
  run.output = console.Output();
  return run;
}

TEST(SetupDialogue, DrivePathGivesItsDirectoryWithoutAQuestion) {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  ScriptedConsole console("1");
  // When the screen is cleared nothing is printed yet, and the old config.cfg is as it was.
  std::string config_at_clear = "unset";
  std::string output_at_clear = "unset";
  interpreter.action = [&](const std::string&) {
    config_at_clear = files.At("config.cfg");
    output_at_clear = console.Output();
  };
  files.files["config.cfg"] = "old\r\n-r7";

  EXPECT_EQ(RunSetup(console, interpreter, files, "D:\\tools\\enc\\setup.exe", FakeShortForms()), 0);
  EXPECT_EQ(interpreter.operations, std::vector<std::string>{testing::kClearScreen});
  EXPECT_EQ(config_at_clear, "old\r\n-r7");
  EXPECT_EQ(output_at_clear, "");
  EXPECT_EQ(console.Output(), kBanner + kIdctMenu + "1");
  EXPECT_EQ(files.At("config.cfg"), "D:\\tools\\enc\\\r\n-r2");
}

TEST(SetupDialogue, MenuKeysMapToSwitchesOutOfOrder) {
  const std::pair<char, const char*> cases[] = {{'1', "-r2"}, {'2', "-r1"}, {'3', "-r7"}};
  for (const auto& [key, expected] : cases) {
    const SetupRun run = RunWith("c:\\k\\setup.exe", std::string(1, key));
    EXPECT_EQ(run.files.At("config.cfg"), std::string("c:\\k\\\r\n") + expected) << key;
  }
}

TEST(SetupDialogue, RejectedKeysRepeatTheWholeMenu) {
  const SetupRun run = RunWith("c:\\k\\setup.exe", "04a\n 3");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, kBanner + kIdctMenu + "0" + kIdctMenu + "4" + kIdctMenu + "a" + kIdctMenu + "\n" + kIdctMenu +
                            " " + kIdctMenu + "3");
  EXPECT_EQ(run.files.At("config.cfg"), "c:\\k\\\r\n-r7");
}

TEST(SetupDialogue, PathsWithoutADriveLetterAskAndTakeTheWordWithAFinalBackslash) {
  // Bare names, too short to hold a drive, relative and network paths all say nothing usable.
  for (const std::string program : {"setup", "", "tools\\setup.exe", "\\\\server\\share\\setup.exe"}) {
    const SetupRun run = RunWith(program, "  e:\\movies\\enc\n2");
    // On a stream the Enter behind the word is the first key, and is rejected.
    EXPECT_EQ(run.output, kBanner + kPathQuestion + kIdctMenu + "\n" + kIdctMenu + "2") << program;
    EXPECT_EQ(run.files.At("config.cfg"), "e:\\movies\\enc\\\r\n-r1") << program;
  }
}

// The wizard reads config.cfg word by word, and the command interpreter cuts a command line at
// blanks and at ; , = ( ): such a directory goes in by its short form, as does one with a
// letter that config.cfg's code page lacks.
TEST(SetupDialogue, DirectoryTheBatchFileCannotCarryIsWrittenInItsShortForm) {
  const FakeShortForms short_forms(
      [](const std::string&) {
        return ShortForm{"C:\\PROGRA~1\\KELVAR~1.7\\", ""};
      },
      "looking it up\n");
  const SetupRun run = RunWith("C:\\Program Files\\kelvarro 0.7\\setup.exe", "3", {}, short_forms);
  EXPECT_EQ(short_forms.asked, std::vector<std::string>{"C:\\Program Files\\kelvarro 0.7\\"});
  EXPECT_EQ(run.output, kBanner + "looking it up\n" + kIdctMenu + "3");
  EXPECT_EQ(run.files.At("config.cfg"), "C:\\PROGRA~1\\KELVAR~1.7\\\r\n-r7");

  short_forms.asked.clear();
  // The longest install directory that leaves the tools room for their file names is 229.
  const std::string too_long_for_the_tools = "C:\\" + std::string(226, 'x') + "\\";
  for (const std::string dir : {"C:\\a\tb\\", "C:\\a;b\\", "C:\\a,b\\", "C:\\a=b\\", "C:\\a(b\\", "C:\\a)b\\",
                                "C:\\\xD0\x94\xD0\xB8\\", too_long_for_the_tools.c_str()}) {
    EXPECT_EQ(RunWith(dir + "setup.exe", "1", {}, short_forms).files.At("config.cfg"),
              "C:\\PROGRA~1\\KELVAR~1.7\\\r\n-r2")
        << dir;
  }
  EXPECT_EQ(short_forms.asked.size(), 8u);
  // A typed folder goes by the same rule, its final slash a backslash.
  short_forms.asked.clear();
  EXPECT_EQ(RunWith("setup", "C:\\a;b/ 1", {}, short_forms).files.At("config.cfg"),
            "C:\\PROGRA~1\\KELVAR~1.7\\\r\n-r2");
  EXPECT_EQ(short_forms.asked, std::vector<std::string>{"C:\\a;b\\"});
  // Characters that mean something to the interpreter but are escaped in the batch file do
  // not need the short form, nor does a plain name.
  short_forms.asked.clear();
  EXPECT_EQ(RunWith("C:\\R&D^x%y\\setup.exe", "1", {}, short_forms).files.At("config.cfg"), "C:\\R&D^x%y\\\r\n-r2");
  EXPECT_EQ(RunWith("C:\\enc\\setup.exe", "1", {}, short_forms).files.At("config.cfg"), "C:\\enc\\\r\n-r2");
  EXPECT_EQ(RunWith("C:\\" + std::string(225, 'x') + "\\setup.exe", "1", {}, short_forms).files.At("config.cfg"),
            "C:\\" + std::string(225, 'x') + "\\\r\n-r2");
  EXPECT_TRUE(short_forms.asked.empty());
}

// A folder that no Windows program can enter, by either name, is refused before any lookup.
TEST(SetupDialogue, DirectoryNoWindowsProgramCanEnterIsRefusedWithItsReason) {
  const std::string no_name = "Windows programs cannot enter a folder named with one of \\ : * ? \" < > |";
  const std::pair<std::string, std::string> cases[] = {
      {"Z:\\home\\what?\\", no_name},
      {"Z:\\home\\say \"hi\"\\", no_name},
      {"Z:\\a*b\\", no_name},
      {"Z:\\back|slash\\", no_name},
      {"Z:\\a<b\\", no_name},
      {"Z:\\a>b\\", no_name},
      {"Z:\\co:lon\\", no_name},
      {"Z:\\" + std::string(256, 'x') + "\\",
       "its Windows path is 260 characters long, more than a working directory takes (259)"},
      // Counted as Windows counts: one for a Cyrillic letter, two beyond the BMP.
      {"Z:\\" + std::string(64, 'x') +
           [] {
             std::string letters;
             for (int i = 0; i < 64; ++i) letters += "\xD0\x94\xF0\x9F\x8E\xAC";
             return letters;
           }() +
           "\\",
       "its Windows path is 260 characters long, more than a working directory takes (259)"},
  };
  const FakeShortForms short_forms([](const std::string&) -> ShortForm { throw std::logic_error("looked up"); },
                                   "looking it up\n");
  for (const auto& [dir, why_not] : cases) {
    const SetupRun run = RunWith(dir + "setup", "d:\\k\\ 1", {}, short_forms);
    EXPECT_EQ(run.output, kBanner + UnusableFolder(why_not) + kPathQuestion + kIdctMenu + " " + kIdctMenu + "1") << dir;
    EXPECT_EQ(run.files.At("config.cfg"), "d:\\k\\\r\n-r2");
  }
}

TEST(SetupDialogue, DirectoryWithoutAUsableShortFormSaysWhyAndAsks) {
  const std::string program = "C:\\Program Files\\kelvarro\\setup.exe";
  // No short form at all; the long form given back (8.3 names switched off); a short form that
  // still has a letter the code page lacks.
  const std::pair<FakeShortForms::Answer, std::string> cases[] = {{testing::NoneFor, testing::kNoShortFormReason},
                                                                  {[](const std::string& dir) {
                                                                     return ShortForm{dir, ""};
                                                                   },
                                                                   "it has no short form that a batch file can take"},
                                                                  {[](const std::string&) {
                                                                     return ShortForm{"C:\\\xD0\x94~1\\", ""};
                                                                   },
                                                                   "it has no short form that a batch file can take"}};
  for (const auto& [lookup, why_not] : cases) {
    const SetupRun run = RunWith(program, "d:\\enc\\ x1", {}, FakeShortForms(lookup));
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.output,
              kBanner + UnusableFolder(why_not) + kPathQuestion + kIdctMenu + " " + kIdctMenu + "x" + kIdctMenu + "1");
    EXPECT_EQ(run.files.At("config.cfg"), "d:\\enc\\\r\n-r2");
  }
  // A typed folder without a short form is asked for again.
  const SetupRun typed = RunWith("setup", "C:\\a;b d:\\enc/ 1");
  EXPECT_EQ(typed.output, kBanner + kPathQuestion + UnusableFolder(testing::kNoShortFormReason) + kPathQuestion +
                              kIdctMenu + " " + kIdctMenu + "1");
  EXPECT_EQ(typed.files.At("config.cfg"), "d:\\enc\\\r\n-r2");
  // The question is the one of a path that cannot be worked out: the input may end there.
  const SetupRun ended = RunWith(program, "");
  EXPECT_EQ(ended.exit_code, 1);
  EXPECT_EQ(ended.output, kBanner + UnusableFolder(testing::kNoShortFormReason) + kPathQuestion);
  EXPECT_FALSE(ended.files.Has("config.cfg"));
}

// A config.cfg that cannot be written is told before any question; one whose write or close
// fails, after the answer. Each time setup waits for a key and ends with 1, and the old file
// stays whole.
TEST(SetupDialogue, ConfigThatCannotBeWrittenIsToldAndKept) {
  const std::string old = "c:\\old\\\r\n-r1";
  const std::pair<std::set<std::string> MemoryFileSystem::*, std::string> cases[] = {
      {&MemoryFileSystem::unwritable, kBanner + NotWritten("config.cfg", testing::kNoRight)},
      {&MemoryFileSystem::full, kBanner + kIdctMenu + "2" + NotWritten("config.cfg", testing::kDiskFull)},
      {&MemoryFileSystem::failing_close, kBanner + kIdctMenu + "2" + NotWritten("config.cfg", testing::kCloseFailed)},
  };
  for (const auto& [failing, screen] : cases) {
    for (const std::string keys : {"2x", "2"}) {
      MemoryFileSystem files;
      files.files["config.cfg"] = old;
      (files.*failing).insert("config.cfg");
      ScriptedConsole console(keys);
      RecordingInterpreter interpreter;
      EXPECT_EQ(RunSetup(console, interpreter, files, "c:\\k\\setup.exe", FakeShortForms()), 1) << screen;
      EXPECT_EQ(console.Output(), screen);
      EXPECT_EQ(files.At("config.cfg"), old);
      // One key after the message is waited for; at the end of the input the wait gives up.
      const bool asked = failing != &MemoryFileSystem::unwritable;
      EXPECT_EQ(console.Remaining(), keys == "2x" && !asked ? "x" : "") << screen;
    }
  }
}

}  // namespace
}  // namespace kelvarro
