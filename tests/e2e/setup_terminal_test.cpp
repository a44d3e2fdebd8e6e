// The built setup program on a pseudo-terminal, started under the program paths a user's
// command prompt would hand it: whole transcripts, config.cfg's bytes and exit codes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

const std::string kClear = "\x1b[H\x1b[2J";
const std::string kBanner = "kelvarro 0.7.31 setup\n\n";
const std::string kPathQuestion =
    "sorry, but i can't auto-config your path. please enter the path where you\n"
    "extracted the files (eg. d:\\divxstuff\\kelvarro0.7.1\\):\n";
const std::string kMenu =
    "\n[1]\t16-bit MMX Chen iDCT (standard)\n[2]\t32-bit MMX iDCT\n"
    "[3]\t64-bit FPU (optimized for Athlon, Pentium III and newer)\n"
    "please choose the IDCT to use: ";

PtyOptions SetupIn(const TempDir& dir, const std::string& program_path) {
  PtyOptions options;
  options.program = KELVARRO_SETUP;
  options.argv = {program_path};
  options.workdir = dir.path();
  options.environment = {"PATH=/nonexistent"};
  return options;
}

TEST(SetupTerminal, DrivePathIsCutBehindItsLastBackslashWithoutAQuestion) {
  TempDir dir;
  PtySession session(SetupIn(dir, "D:\\tools\\enc\\setup.exe"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  ASSERT_TRUE(session.SendKey('2'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kMenu + "2");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\tools\\enc\\\r\n-r1");
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
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kPathQuestion + "D:\\my movies\\kelvarro\\\n" + kMenu + "3");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "D:\\my\r\n-r7");
}

TEST(SetupTerminal, DriveLetterWithoutBackslashWritesAnEmptyFirstLine) {
  TempDir dir;
  PtySession session(SetupIn(dir, "D:setup.exe"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  ASSERT_TRUE(session.SendKey('1'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kMenu + "1");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "\r\n-r2");
}

TEST(SetupTerminal, ShortAndNetworkPathsAsk) {
  for (const std::string program_path : {"s", "\\\\server\\share\\setup.exe"}) {
    TempDir dir;
    PtySession session(SetupIn(dir, program_path));
    ASSERT_TRUE(session.Expect(kPathQuestion)) << program_path;
    ASSERT_TRUE(session.SendLine("c:\\enc"));
    ASSERT_TRUE(session.SendKey('1'));
    EXPECT_EQ(session.Finish(), 0) << program_path;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "c:\\enc\r\n-r2") << program_path;
  }
}

TEST(SetupTerminal, RejectedKeysRepeatBothMenuTexts) {
  TempDir dir;
  PtySession session(SetupIn(dir, "C:\\k\\setup.exe"));
  ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  for (const char key : {'0', '4', 'q', ' '}) ASSERT_TRUE(session.SendKey(key)) << key;
  ASSERT_TRUE(session.SendKey('3'));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(),
            kClear + kBanner + kMenu + "0" + kMenu + "4" + kMenu + "q" + kMenu + " " + kMenu + "3");
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\k\\\r\n-r7");
}

TEST(SetupTerminal, RunKilledAtTheMenuLeavesAnEmptyConfig) {
  TempDir dir;
  WriteBytes(dir / "config.cfg", "C:\\old\\\r\n-r1");
  {
    PtySession session(SetupIn(dir, "C:\\k\\setup.exe"));
    ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
  }  // the session kills the program here
  EXPECT_TRUE(std::filesystem::exists(dir / "config.cfg"));
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "");
}

TEST(SetupTerminal, EndOfScriptedInputEndsTheRunWithAnEmptyConfig) {
  // At the path question and at the menu alike.
  for (const std::string program_path : {"setup", "C:\\k\\setup.exe"}) {
    TempDir dir;
    WriteBytes(dir / "config.cfg", "C:\\old\\\r\n-r1");
    PtyOptions options = SetupIn(dir, program_path);
    options.stdin_from_script = true;
    options.script = "";
    PtySession session(options);
    EXPECT_EQ(session.Finish(), 1) << program_path;
    EXPECT_FALSE(session.TimedOut()) << program_path;
    EXPECT_TRUE(std::filesystem::exists(dir / "config.cfg"));
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "") << program_path;
  }
}

}  // namespace
}  // namespace kelvarro::testing
