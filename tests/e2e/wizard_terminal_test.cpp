// The built wizard on a pseudo-terminal: whole transcripts and exit codes.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

PtyOptions WizardIn(const TempDir& dir) {
  PtyOptions options;
  options.program = KELVARRO_WIZARD;
  options.workdir = dir.path();
  options.environment = {"PATH=/nonexistent"};
  return options;
}

TEST(WizardTerminal, MissingConfigShowsTheMessageAndTakesAnUnechoedKey) {
  TempDir dir;
  PtySession session(WizardIn(dir));
  ASSERT_TRUE(session.Expect("please use setup.exe to create it!\n\n"));
  ASSERT_TRUE(session.SendKey('x'));
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_EQ(session.Transcript(),
            "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n");
}

TEST(WizardTerminal, ConfigDirectoryCountsAsMissing) {
  TempDir dir;
  std::filesystem::create_directory(dir / "config.cfg");
  PtySession session(WizardIn(dir));
  ASSERT_TRUE(session.Expect("please use setup.exe"));
  ASSERT_TRUE(session.SendKey(' '));
  EXPECT_EQ(session.Finish(), 1);
}

TEST(WizardTerminal, EndOfScriptedInputEndsTheRunInsteadOfHanging) {
  TempDir dir;
  PtyOptions options = WizardIn(dir);
  options.stdin_from_script = true;
  options.script = "";
  PtySession session(options);
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_FALSE(session.TimedOut());
}

}  // namespace
}  // namespace kelvarro::testing
