#include "setup/setup_dialogue.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_file_system.h"
#include "support/dialogue_texts.h"
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

SetupRun RunWith(const std::string& program_path, const std::string& input, MemoryFileSystem files = {}) {
  SetupRun run{0, "", std::move(files), {}};
  ScriptedConsole console(input);
  run.exit_code = RunSetup(console, run.interpreter, run.files, program_path);
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

  EXPECT_EQ(RunSetup(console, interpreter, files, "D:\\tools\\enc\\setup.exe"), 0);
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
  EXPECT_EQ(run.output, kBanner + kIdctMenu + "0" + kIdctMenu + "4" + kIdctMenu + "a" + kIdctMenu + "\n" + kIdctMenu + " " + kIdctMenu + "3");
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
