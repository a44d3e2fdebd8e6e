// Output that cannot be written: standard output to a full device or to a pipe nobody reads,
// and a directory standing where a file is to go. Each failure stays silent; the run goes on
// as far as it can, with its usual exit code, and every other file is complete.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "support/dialogue_texts.h"
#include "support/expected_files.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

const std::string kJobScript = JobScriptFor("d:\\\\k\\\\");

void ExpectCompleteWizardFiles(const TempDir& dir) {
  EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir));
  EXPECT_EQ(ReadBytes(dir / "nandub/multi.vcf"), kJobScript);
  EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(kInstallDir));
}

// Standard output lost in two ways: every write fails (ENOSPC), or fails with EPIPE.
PtyOptions WithLostOutput(PtyOptions options, bool full_device) {
  if (full_device) {
    options.stdout_path = "/dev/full";
  } else {
    options.stdout_to_closed_pipe = true;
  }
  return options;
}

TEST(OutputFaults, WizardWithLostStandardOutputWritesEveryFile) {
  for (const bool full_device : {true, false}) {
    TempDir dir;
    MakeWizardInstall(dir);
    PtySession session(WithLostOutput(ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", kConstantKeys), full_device));
    EXPECT_EQ(session.Finish(), 0) << full_device;
    EXPECT_EQ(session.Transcript(), "") << full_device;  // and nothing on standard error
    ExpectCompleteWizardFiles(dir);
  }
}

TEST(OutputFaults, SetupWithLostStandardOutputWritesTheConfig) {
  for (const bool full_device : {true, false}) {
    TempDir dir;
    PtySession session(WithLostOutput(ScriptedRunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe", "2"), full_device));
    EXPECT_EQ(session.Finish(), 0) << full_device;
    EXPECT_EQ(session.Transcript(), "") << full_device;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\k\\\r\n-r1") << full_device;
  }
}

// A directory where an output file goes: that file is lost and the run ends as usual.
TEST(OutputFaults, DirectoryInPlaceOfAnOutputFileLosesOnlyThatFile) {
  const std::pair<std::string, std::string> outputs[] = {{"input/movie.lst", MovieList(kInstallDir)},
                                                         {"nandub/multi.vcf", kJobScript},
                                                         {"process.bat", ConstantRunBatchFile(kInstallDir)}};
  for (const auto& [blocked, unused] : outputs) {
    TempDir dir;
    MakeWizardInstall(dir);
    std::filesystem::create_directory(dir / blocked);
    PtySession session(ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", kConstantKeys));
    EXPECT_EQ(session.Finish(), 0) << blocked;
    EXPECT_EQ(session.Transcript(), kClear + ConstantRunShown()) << blocked;
    for (const auto& [path, content] : outputs) {
      if (path == blocked) {
        EXPECT_TRUE(std::filesystem::is_directory(dir / path)) << blocked;
      } else {
        EXPECT_EQ(ReadBytes(dir / path), content) << path << " with " << blocked << " blocked";
      }
    }
  }
}

// Without a listing no VOB file is found: the second failure message, a key, exit code 1.
TEST(OutputFaults, DirectoryInPlaceOfTheListingFindsNoVobFile) {
  TempDir dir;
  MakeWizardInstall(dir);
  std::filesystem::create_directory(dir / "temp/menulst.tmp");
  PtySession session(ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", "k"));
  EXPECT_EQ(session.Finish(), 1);
  // The stand-in for the interpreter's redirection says why, on standard error.
  EXPECT_EQ(session.Transcript(), "The system cannot find the path specified.\n" + kNoVob);
  EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "nandub/multi.vcf"));
  EXPECT_FALSE(std::filesystem::exists(dir / "process.bat"));
}

TEST(OutputFaults, DirectoryInPlaceOfTheConfigEndsSetupAsUsual) {
  TempDir dir;
  std::filesystem::create_directory(dir / "config.cfg");
  PtySession session(ScriptedRunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe", "3"));
  EXPECT_EQ(session.Finish(), 0);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kIdctMenu + "3");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "config.cfg"));
}

}  // namespace
}  // namespace kelvarro::testing
