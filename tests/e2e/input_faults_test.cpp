// Standard input that ends at each prompt of both programs, or is not open at all: every run
// ends with exit code 1 at that prompt, never hangs, and leaves the files written so far.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

// The script up to a prompt, what the screen shows when it ends there, and which of the files
// written along the way are complete by then.
struct EndCase {
  std::string script;
  std::string shown;
  bool job_script;
  bool batch_file;
};

TEST(InputFaults, WizardInputEndingAtEachPromptEndsTheRunThere) {
  const std::string vbr_asked = kWelcome + kRegion + "2" + kStream + "0" + kVbr;
  // Typed numbers are not echoed from a pipe, and whether a number fails or not, the quality
  // question follows: input ending at either number ends the run there.
  const std::string numbers_asked = vbr_asked + "y" + kMinimum + kMaximum + kQuality;
  const std::string aspect_asked = vbr_asked + "n" + kBitrates + "5" + kAspect;
  const std::vector<EndCase> cases = {
      {"", kWelcome + kRegion, false, false},
      {"1", kWelcome + kRegion + "1" + kFrameRate, false, false},
      {"2", kWelcome + kRegion + "2" + kStream, true, false},
      {"20", vbr_asked, true, false},
      {"20y", numbers_asked, true, false},
      {"20y96\n", numbers_asked, true, false},
      {"20y96 256", numbers_asked, true, false},
      {"20n", vbr_asked + "n" + kBitrates, true, false},
      {"20n5", aspect_asked, true, false},
      {"20n51", aspect_asked + "1" + kOffer, true, true},
      {"20n51n", aspect_asked + "1" + kOffer + "n" + kFarewell, true, true},
  };
  for (const EndCase& end : cases) {
    TempDir dir;
    MakeWizardInstall(dir);
    PtySession session(ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", end.script));
    EXPECT_EQ(session.Finish(), 1) << end.script;
    EXPECT_FALSE(session.TimedOut()) << end.script;
    EXPECT_EQ(session.Transcript(), kClear + end.shown) << end.script;
    EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir)) << end.script;
    EXPECT_EQ(ReadBytes(dir / "nandub/multi.vcf"), end.job_script ? JobScriptFor("d:\\\\k\\\\") : "") << end.script;
    EXPECT_EQ(std::filesystem::exists(dir / "nandub/multi.vcf"), end.job_script) << end.script;
    EXPECT_EQ(ReadBytes(dir / "process.bat"), end.batch_file ? ConstantRunBatchFile(kInstallDir) : "") << end.script;
    EXPECT_EQ(std::filesystem::exists(dir / "process.bat"), end.batch_file) << end.script;
  }
  // Without config.cfg the one wait is for the key behind the message.
  TempDir empty;
  PtySession session(ScriptedRunIn(empty, KELVARRO_WIZARD, "wizard", ""));
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_FALSE(session.TimedOut());
  EXPECT_EQ(session.Transcript(), kNoConfig);
}

TEST(InputFaults, SetupInputEndingAtEachPromptKeepsTheConfigItFound) {
  struct SetupEnd {
    std::string argv0;
    std::string script;
    std::string shown;
  };
  const std::vector<SetupEnd> cases = {
      {"setup", "", kBanner + kPathQuestion},                                          // at the path question
      {"C:\\k\\setup.exe", "", kBanner + kIdctMenu},                                   // at the menu, path derived
      {"setup", "c:\\k\\\n", kBanner + kPathQuestion + kIdctMenu + "\n" + kIdctMenu},  // at the menu, path typed
  };
  for (const SetupEnd& end : cases) {
    TempDir dir;
    WriteBytes(dir / "config.cfg", "C:\\old\\\r\n-r1");
    PtySession session(ScriptedRunIn(dir, KELVARRO_SETUP, end.argv0, end.script));
    EXPECT_EQ(session.Finish(), 1) << end.argv0;
    EXPECT_FALSE(session.TimedOut()) << end.argv0;
    EXPECT_EQ(session.Transcript(), kClear + end.shown) << end.argv0;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\old\\\r\n-r1") << end.argv0;
  }
}

// Standard input not open at all reads as ended at the first prompt.
TEST(InputFaults, ClosedStandardInputEndsBothProgramsAtTheFirstPrompt) {
  {
    TempDir dir;
    MakeWizardInstall(dir);
    PtyOptions options = RunIn(dir, KELVARRO_WIZARD, "wizard");
    options.stdin_closed = true;
    PtySession session(options);
    EXPECT_EQ(session.Finish(), 1);
    EXPECT_EQ(session.Transcript(), kClear + kWelcome + kRegion);
    EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir));
  }
  for (const std::string argv0 : {"setup", "C:\\k\\setup.exe"}) {
    TempDir dir;
    PtyOptions options = RunIn(dir, KELVARRO_SETUP, argv0);
    options.stdin_closed = true;
    PtySession session(options);
    EXPECT_EQ(session.Finish(), 1) << argv0;
    EXPECT_FALSE(std::filesystem::exists(dir / "config.cfg")) << argv0;
  }
}

}  // namespace
}  // namespace kelvarro::testing
