// Both programs stopped with Ctrl-Z and continued, as jobs of a shell on a pseudo-terminal: the
// terminal is the shell's again while a program is stopped, and a key read still waiting
// takes its key at once, echoed once, when the program is continued in the foreground.

#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

constexpr char kCtrlZ = 0x1a;

PtyOptions JobIn(const TempDir& dir, const std::string& program, const std::string& argv0) {
  PtyOptions options = RunIn(dir, program, argv0);
  options.as_job = true;
  return options;
}

PtyOptions WizardJobIn(const TempDir& dir) {
  MakeWizardInstall(dir);
  return JobIn(dir, KELVARRO_WIZARD, "wizard");
}

// The modes of a key read: the session's own, without line editing and echo.
termios KeyModes(const termios& start) {
  termios key = start;
  key.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  return key;
}

// Ctrl-Z at the prompt shown last: the job stops on SIGTSTP with the session's modes back in
// place, and is continued in the foreground, where it takes key mode again by itself.
void StopAndContinueAtKeyPrompt(PtySession& session) {
  ASSERT_TRUE(session.SendControl(kCtrlZ));
  ASSERT_EQ(session.WaitForStop(), SIGTSTP);
  EXPECT_TRUE(SameModes(session.Modes(), session.StartModes()));
  ASSERT_TRUE(session.Continue(true));
  ASSERT_TRUE(session.WaitForKeyMode());
  EXPECT_TRUE(SameModes(session.Modes(), KeyModes(session.StartModes())));
}

TEST(JobControl, WizardStoppedAtAKeyPromptGivesTheTerminalBackAndTakesTheNextKeyAtOnce) {
  TempDir dir;
  PtySession session(WizardJobIn(dir));
  ASSERT_TRUE(session.Expect(kRegion));
  StopAndContinueAtKeyPrompt(session);
  // Stopped and continued twice: the handler is there again after the first stop.
  StopAndContinueAtKeyPrompt(session);
  ASSERT_TRUE(session.SendKey('2'));
  ASSERT_TRUE(session.Expect(kStream));
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + kRegion + "2" + kStream);
  for (const char key : kConstantKeys.substr(1)) ASSERT_TRUE(session.SendKey(key));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + ConstantRunShown());
  EXPECT_TRUE(SameModes(session.Modes(), session.StartModes()));
  EXPECT_EQ(ReadBytes(dir / "nandub/multi.vcf"), JobScriptFor("d:\\\\k\\\\"));
  EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(kInstallDir));
}

TEST(SetupJobControl, StoppedAtTheMenuGivesTheTerminalBackAndTakesTheNextKeyAtOnce) {
  TempDir dir;
  PtySession session(JobIn(dir, KELVARRO_SETUP, "D:\\tools\\enc\\setup.exe"));
  ASSERT_TRUE(session.Expect(kIdctMenu));
  StopAndContinueAtKeyPrompt(session);
  ASSERT_TRUE(session.SendKey('2'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kIdctMenu + "2");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\tools\\enc\\\r\n-r1");
  EXPECT_TRUE(SameModes(session.Modes(), session.StartModes()));
}

// Continued behind the shell, the program leaves the terminal alone; its read stops it again
// until it is brought to the foreground.
TEST(JobControl, ContinuedInTheBackgroundWaitsWithoutTouchingTheTerminal) {
  TempDir dir;
  PtySession session(WizardJobIn(dir));
  ASSERT_TRUE(session.Expect(kRegion));
  ASSERT_TRUE(session.SendControl(kCtrlZ));
  ASSERT_EQ(session.WaitForStop(), SIGTSTP);
  ASSERT_TRUE(session.Continue(false));
  ASSERT_EQ(session.WaitForStop(), SIGTTIN);
  EXPECT_TRUE(SameModes(session.Modes(), session.StartModes()));
  ASSERT_TRUE(session.Continue(true));
  ASSERT_TRUE(session.SendKey('1'));
  ASSERT_TRUE(session.Expect(kFrameRate));
  EXPECT_EQ(session.Transcript(), kClear + kWelcome + kRegion + "1" + kFrameRate);
}

// At a number prompt the terminal is in its own line mode: the stop changes nothing, and the
// line typed after continuing is read whole, as if there had been no stop, also after a second
// stop continued behind the shell first (Ctrl-Z, bg, fg), whose read stops it once more.
// Continue returns once the program waits in its read again, so the line does come after the
// continuing.
TEST(JobControl, StoppedAtANumberPromptReadsTheLineTypedAfterContinuing) {
  TempDir dir;
  PtySession session(WizardJobIn(dir));
  for (const char key : {'2', '0', 'y'}) ASSERT_TRUE(session.SendKey(key));
  ASSERT_TRUE(session.Expect(kMinimum));
  ASSERT_TRUE(session.WaitUntilAsleep());  // the stop must find the read waiting
  ASSERT_TRUE(session.Signal(SIGTSTP));
  ASSERT_EQ(session.WaitForStop(), SIGTSTP);
  EXPECT_TRUE(SameModes(session.Modes(), session.StartModes()));
  ASSERT_TRUE(session.Continue(true));
  ASSERT_TRUE(session.WaitUntilAsleep());
  ASSERT_TRUE(session.Signal(SIGTSTP));
  ASSERT_EQ(session.WaitForStop(), SIGTSTP);
  ASSERT_TRUE(session.Continue(false));
  ASSERT_EQ(session.WaitForStop(), SIGTTIN);
  ASSERT_TRUE(session.Continue(true));
  ASSERT_TRUE(session.SendLine("96 256"));
  ASSERT_TRUE(session.Expect(kMaximum + kQuality));
  for (const char key : {'2', '1', 'n', 'k'}) ASSERT_TRUE(session.SendKey(key));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_NE(ReadBytes(dir / "process.bat").find("\\lame.exe -h -b 96 -V 2 -B 256 "), std::string::npos);
}

}  // namespace
}  // namespace kelvarro::testing
