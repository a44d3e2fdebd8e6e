// The ending signals at a key prompt of both programs: each program dies of the signal, with
// the terminal's modes given back and the files as far as the run had come. A stop that the
// system refuses (the program's group has no shell to continue it) changes nothing at all.
// Stops that take effect are in job_control_test.cpp.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>

#include "support/dialogue_texts.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

TEST(SignalFaults, WizardKilledAtAKeyPromptGivesTheTerminalBack) {
  for (const int signal_number : kEndingSignals) {
    TempDir dir;
    MakeWizardInstall(dir);
    PtySession session(RunIn(dir, KELVARRO_WIZARD, "wizard"));
    ASSERT_TRUE(session.Expect(kRegion));
    ASSERT_TRUE(session.WaitForKeyMode());
    ASSERT_TRUE(session.Signal(signal_number));
    EXPECT_EQ(session.Finish(), -1) << signal_number;
    EXPECT_EQ(session.KilledBy(), signal_number);
    EXPECT_TRUE(SameModes(session.Modes(), session.StartModes())) << signal_number;
    EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir)) << signal_number;
    EXPECT_FALSE(std::filesystem::exists(dir / "nandub/multi.vcf")) << signal_number;
    EXPECT_FALSE(std::filesystem::exists(dir / "process.bat")) << signal_number;
  }
}

TEST(SignalFaults, SetupKilledAtTheMenuGivesTheTerminalBackAndKeepsTheConfig) {
  for (const int signal_number : kEndingSignals) {
    TempDir dir;
    WriteBytes(dir / "config.cfg", "C:\\old\\\r\n-r1");
    PtySession session(RunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe"));
    ASSERT_TRUE(session.Expect(kIdctMenu));
    ASSERT_TRUE(session.WaitForKeyMode());
    ASSERT_TRUE(session.Signal(signal_number));
    EXPECT_EQ(session.Finish(), -1) << signal_number;
    EXPECT_EQ(session.KilledBy(), signal_number);
    EXPECT_TRUE(SameModes(session.Modes(), session.StartModes())) << signal_number;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\old\\\r\n-r1") << signal_number;
  }
}

bool InKeyMode(const termios& modes) { return (modes.c_lflag & (ICANON | ECHO)) == 0; }

// The program leads its own session here, so the system discards the stop: the key read goes
// on in key mode and the run ends normally. The handler gives the terminal back before it
// tries to stop, so key mode is there again only once the handler is done; Signal waits for
// that, and a key typed sooner would be echoed by the terminal as well.
TEST(SignalFaults, RefusedStopAtAKeyPromptChangesNothing) {
  TempDir dir;
  MakeWizardInstall(dir);
  PtySession session(RunIn(dir, KELVARRO_WIZARD, "wizard"));
  ASSERT_TRUE(session.Expect(kRegion));
  ASSERT_TRUE(session.WaitForKeyMode());
  ASSERT_TRUE(session.Signal(SIGTSTP));
  EXPECT_TRUE(InKeyMode(session.Modes()));
  for (const char key : kConstantKeys) ASSERT_TRUE(session.SendKey(key));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + ConstantRunShown());
  EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(kInstallDir));

  TempDir setup_dir;
  PtySession setup(RunIn(setup_dir, KELVARRO_SETUP, "C:\\k\\setup.exe"));
  ASSERT_TRUE(setup.Expect(kIdctMenu));
  ASSERT_TRUE(setup.WaitForKeyMode());
  ASSERT_TRUE(setup.Signal(SIGTSTP));
  EXPECT_TRUE(InKeyMode(setup.Modes()));
  ASSERT_TRUE(setup.SendKey('1'));
  EXPECT_EQ(setup.Finish(), 0);
  EXPECT_EQ(setup.Transcript(), kClear + kBanner + kIdctMenu + "1");
  EXPECT_EQ(ReadBytes(setup_dir / "config.cfg"), "C:\\k\\\r\n-r2");
}

}  // namespace
}  // namespace kelvarro::testing
