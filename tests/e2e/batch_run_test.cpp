// The wizard hands the batch file to Wine when Wine is on the PATH. A `wine` of the test's own
// stands in for it: it records what it was given and takes its time, so that the transcript
// shows whether the wizard waited for it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/dialogue_texts.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

// Writes an executable `wine` into `bin` that records its arguments, WINEDEBUG and its current
// directory into `bin`/record, one to a line, says it started only where it has the terminal
// (its group the terminal's foreground one, so that the tools can read keys and a Ctrl+C reaches
// them), makes the files the batch file's tools would, and then takes half a second to end.
void WriteFakeWine(const TempDir& bin) {
  WriteBytes(bin / "wine",
             "#!/bin/sh\n"
             "PATH=/usr/bin:/bin\n"
             "{ printf '%s\\n' \"$@\"; printf 'WINEDEBUG=%s\\n' \"${WINEDEBUG-(unset)}\"; pwd -P; } > '" +
                 bin.path() +
                 "/record'\n"
                 "set -- $(cut -d')' -f2 /proc/$$/stat)\n"
                 "[ \"$3\" = \"$6\" ] && echo 'wine started'\n"
                 "for f in temp/movie_1.avi temp/movie_1.avistream0x80.ac3 temp/pcmaudio.wav temp/audio.mp3 "
                 "output/output.avi; do echo made > $f; done\n"
                 "sleep 0.5\n"
                 "echo 'wine ended'\n");
  chmod((bin / "wine").c_str(), 0755);
}

// Sets WINEDEBUG in this process, and so for the programs it starts, to `value` (unset when
// there is none) for the guard's lifetime: the tests may run where Wine's diagnostics are
// switched off already.
class WineDebugAs {
 public:
  explicit WineDebugAs(const std::optional<std::string>& value) {
    if (const char* old = std::getenv("WINEDEBUG")) saved_ = old;
    if (value) {
      setenv("WINEDEBUG", value->c_str(), 1);
    } else {
      unsetenv("WINEDEBUG");
    }
  }
  ~WineDebugAs() {
    if (saved_) {
      setenv("WINEDEBUG", saved_->c_str(), 1);
    } else {
      unsetenv("WINEDEBUG");
    }
  }
  WineDebugAs(const WineDebugAs&) = delete;
  WineDebugAs& operator=(const WineDebugAs&) = delete;

 private:
  std::optional<std::string> saved_;
};

// A constant-bitrate run with the run offer taken, the fake Wine alone on the PATH; returns
// what the fake recorded, and the transcript and exit code through the arguments.
std::string RunWithFakeWine(const TempDir& dir, std::string& transcript, int& exit_code) {
  TempDir bin;
  WriteFakeWine(bin);
  MakeWizardInstall(dir);
  // The folder as Wine names it, and the tools in place: the batch file can make the movie.
  std::string here = "Z:" + std::filesystem::canonical(dir.path()).string() + "/";
  std::replace(here.begin(), here.end(), '/', '\\');
  WriteBytes(dir / "config.cfg", here + "\r\n-r1");
  for (const char* sub : {"progs", "output"}) std::filesystem::create_directory(dir / sub);
  for (const char* tool : {"progs/m2apx3g.exe", "progs/azid.exe", "progs/lame.exe", "nandub/nandub.exe"}) {
    WriteBytes(dir / tool, "");
  }
  PtyOptions options = RunIn(dir, KELVARRO_WIZARD, "./wizard");
  options.environment = {"PATH=" + bin.path()};
  PtySession session(options);
  for (const char key : std::string("20n51y")) {
    if (!session.SendKey(key)) break;
  }
  if (session.Expect(kFarewell)) session.SendKey('k');
  exit_code = session.Finish();
  transcript = session.Transcript();
  return ReadBytes(bin / "record");
}

TEST(BatchRun, WineRunsTheBatchFileInTheInstallDirAndTheFarewellWaitsForIt) {
  const WineDebugAs no_setting(std::nullopt);
  TempDir dir;
  std::string transcript;
  int exit_code = -1;
  const std::string record = RunWithFakeWine(dir, transcript, exit_code);
  EXPECT_EQ(exit_code, 0);
  // Wine's own diagnostics are kept from the user, who set nothing.
  EXPECT_EQ(record, "cmd\n/c\nprocess.bat\nWINEDEBUG=-all\n" + std::filesystem::canonical(dir.path()).string() + "\n");
  EXPECT_EQ(transcript, kClear + kWelcome + kRegion + "2" + kStream + "0" + kVbr + "n" + kBitrates + "5" + kAspect +
                            "1" + kOffer + "y" + "wine started\nwine ended\n" + kFarewell);
}

TEST(BatchRun, TheUsersOwnWineDebugSettingIsKept) {
  const WineDebugAs users(std::string("warn+all"));
  TempDir dir;
  std::string transcript;
  int exit_code = -1;
  const std::string record = RunWithFakeWine(dir, transcript, exit_code);
  EXPECT_EQ(exit_code, 0);
  EXPECT_NE(record.find("\nWINEDEBUG=warn+all\n"), std::string::npos) << record;
}

}  // namespace
}  // namespace kelvarro::testing
