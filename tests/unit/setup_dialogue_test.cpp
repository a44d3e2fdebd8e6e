#include "setup/setup_dialogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"
#include "support/scripted_console.h"

namespace kelvarro {
namespace {

using namespace testing::texts;

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
using testing::ScriptedConsole;

struct SetupRun {
  int exit_code;
  std::string output;
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
};

// As on POSIX, where no folder has a short form.
std::string NoShortForm(const std::string&) { return ""; }

SetupRun RunWith(const std::string& program_path, const std::string& input, MemoryFileSystem files = {},
                 const ShortPathLookup& short_path_of = NoShortForm) {
  SetupRun run{0, "", std::move(files), {}};
  ScriptedConsole console(input);
  run.exit_code = RunSetup(console, run.interpreter, run.files, program_path, short_path_of);
  run.output = console.Output();
  return run;
}

TEST(SetupDialogue, DrivePathGivesItsDirectoryWithoutAQuestion) {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  ScriptedConsole console("1");
  // When the screen is cleared, config.cfg must already be emptied and nothing printed yet.
  bool config_empty_at_clear = false;
  std::string output_at_clear = "unset";
  interpreter.action = [&](const std::string&) {
    config_empty_at_clear = files.Has("config.cfg") && files.At("config.cfg").empty();
    output_at_clear = console.Output();
  };
  files.files["config.cfg"] = "old\r\n-r7";

  EXPECT_EQ(RunSetup(console, interpreter, files, "D:\\tools\\enc\\setup.exe", NoShortForm), 0);
  EXPECT_EQ(interpreter.operations, std::vector<std::string>{testing::kClearScreen});
  EXPECT_TRUE(config_empty_at_clear);
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

TEST(SetupDialogue, PathsWithoutADriveLetterAskAndTakeTheWordAsTyped) {
  // Bare names, too short to hold a drive, and relative paths all say nothing usable.
  for (const std::string program : {"setup", "", "tools\\setup.exe"}) {
    const SetupRun run = RunWith(program, "  e:\\movies\\enc\n2");
    // On a stream the Enter behind the word is the first key, and is rejected.
    EXPECT_EQ(run.output, kBanner + kPathQuestion + kIdctMenu + "\n" + kIdctMenu + "2") << program;
    EXPECT_EQ(run.files.At("config.cfg"), "e:\\movies\\enc\r\n-r1") << program;
  }
}

// The wizard reads config.cfg word by word: a directory with a blank would reach it cut.
TEST(SetupDialogue, DirectoryWithABlankIsWrittenInItsShortForm) {
  std::vector<std::string> looked_up;
  const auto short_forms = [&](const std::string& dir) {
    looked_up.push_back(dir);
    return std::string("C:\\PROGRA~1\\KELVAR~1.7\\");
  };
  const SetupRun run = RunWith("C:\\Program Files\\kelvarro 0.7\\setup.exe", "3", {}, short_forms);
  EXPECT_EQ(looked_up, std::vector<std::string>{"C:\\Program Files\\kelvarro 0.7\\"});
  EXPECT_EQ(run.output, kBanner + kIdctMenu + "3");
  EXPECT_EQ(run.files.At("config.cfg"), "C:\\PROGRA~1\\KELVAR~1.7\\\r\n-r7");

  // A tab cuts the word just as a blank does; a directory without either is not looked up.
  looked_up.clear();
  EXPECT_EQ(RunWith("C:\\a\tb\\setup.exe", "1", {}, short_forms).files.At("config.cfg"),
            "C:\\PROGRA~1\\KELVAR~1.7\\\r\n-r2");
  EXPECT_EQ(RunWith("C:\\enc\\setup.exe", "1", {}, short_forms).files.At("config.cfg"), "C:\\enc\\\r\n-r2");
  EXPECT_EQ(looked_up.size(), 1u);
}

TEST(SetupDialogue, DirectoryWithABlankAndNoShortFormSaysSoAndAsks) {
  const std::string program = "C:\\Program Files\\kelvarro\\setup.exe";
  // No short form at all (POSIX), and the long form given back (8.3 names switched off).
  const ShortPathLookup lookups[] = {NoShortForm, [](const std::string& dir) { return dir; }};
  for (const ShortPathLookup& lookup : lookups) {
    const SetupRun run = RunWith(program, "d:\\enc\\ x1", {}, lookup);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.output, kBanner + kBlankNotice + kPathQuestion + kIdctMenu + " " + kIdctMenu + "x" + kIdctMenu + "1");
    EXPECT_EQ(run.files.At("config.cfg"), "d:\\enc\\\r\n-r2");
  }
  // The question is the one of a path that cannot be worked out: the input may end there.
  const SetupRun ended = RunWith(program, "", {}, NoShortForm);
  EXPECT_EQ(ended.exit_code, 1);
  EXPECT_EQ(ended.output, kBanner + kBlankNotice + kPathQuestion);
  EXPECT_EQ(ended.files.At("config.cfg"), "");
}

TEST(SetupDialogue, EndOfInputAtTheMenuLeavesAnEmptyConfig) {
  MemoryFileSystem files;
  files.files["config.cfg"] = "c:\\old\\\r\n-r1";
  const SetupRun run = RunWith("c:\\k\\setup.exe", "x9", std::move(files));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.files.At("config.cfg"), "");
}

TEST(SetupDialogue, UnwritableConfigChangesNothingVisible) {
  MemoryFileSystem files;
  files.unwritable.insert("config.cfg");
  const SetupRun run = RunWith("c:\\k\\setup.exe", "2", std::move(files));
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, kBanner + kIdctMenu + "2");
  EXPECT_FALSE(run.files.Has("config.cfg"));
}

}  // namespace
}  // namespace kelvarro
