// The built setup program on a pseudo-terminal, started under the program paths a user's
// command prompt would hand it: whole transcripts, config.cfg's bytes and exit codes.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/dialogue_texts.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

PtyOptions SetupIn(const TempDir& dir, const std::string& program_path) {
  return RunIn(dir, KELVARRO_SETUP, program_path);
}

// Where the terminal cannot clear (TERM unset, empty or dumb), the clear writes nothing.
TEST(SetupTerminal, DrivePathIsCutBehindItsLastBackslashWithoutAQuestion) {
  for (const auto& [term, clear] : {std::pair{"TERM=xterm", kClear}, {"TERM", ""}, {"TERM=", ""}, {"TERM=dumb", ""}}) {
    TempDir dir;
    PtyOptions options = SetupIn(dir, "D:\\tools\\enc\\setup.exe");
    options.environment.push_back(term);
    PtySession session(options);
    ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
    ASSERT_TRUE(session.SendKey('2'));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(session.Transcript(), clear + kBanner + kIdctMenu + "2") << term;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\tools\\enc\\\r\n-r1");
  }
}

TEST(SetupTerminal, BareNameAsksAndCutsTheTypedPathAtItsBlank) {
  TempDir dir;
  PtySession session(SetupIn(dir, "setup"));
  ASSERT_TRUE(session.Expect(kPathQuestion));
  ASSERT_TRUE(session.SendLine("D:\\my movies\\kelvarro\\"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  // At a terminal the rest of the typed line is not taken as menu keys.
  ASSERT_TRUE(session.SendKey('3'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kPathQuestion + "D:\\my movies\\kelvarro\\\n" + kIdctMenu + "3");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\my\\\r\n-r7");
}

// Without Wine there is no short form of a folder, so a worked-out directory with a blank is
// asked for, with the reason.
TEST(SetupTerminal, DrivePathWithABlankSaysSoAndAsks) {
  TempDir dir;
  PtySession session(SetupIn(dir, "C:\\Program Files\\kelvarro\\setup.exe"));
  ASSERT_TRUE(session.Expect(kPathQuestion));
  ASSERT_TRUE(session.SendLine("D:\\kelvarro\\"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  ASSERT_TRUE(session.SendKey('2'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner +
                                      UnusableFolder("Wine, which gives its short form, is not installed") +
                                      kPathQuestion + "D:\\kelvarro\\\n" + kIdctMenu + "2");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\kelvarro\\\r\n-r1");
}

TEST(SetupTerminal, DriveLetterWithoutBackslashWritesAnEmptyFirstLine) {
  TempDir dir;
  PtySession session(SetupIn(dir, "D:setup.exe"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  ASSERT_TRUE(session.SendKey('1'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kIdctMenu + "1");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "\r\n-r2");
}

}  // namespace
}  // namespace kelvarro::testing
