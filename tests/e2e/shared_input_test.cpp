// Two programs after one another on one input pipe, as in `printf '120n51nz' | demo.sh`: each
// program takes only what it reads, and the next one finds the rest of the input untouched.
// A program that buffered its input would take all of it with its first read.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

// The shell runs the commands one after another on its own standard input, the script's pipe.
// Only builtins run besides the programs: PATH leads nowhere, so the wizard has no batch
// interpreter either.
PtyOptions OnOnePipe(const TempDir& dir, const std::string& commands, const std::string& script) {
  PtyOptions options;
  options.program = "/bin/bash";
  options.argv = {"bash", "-c", commands, "bash", KELVARRO_SETUP, KELVARRO_WIZARD};
  options.workdir = dir.path();
  options.environment = {"PATH=/nonexistent"};
  options.stdin_from_script = true;
  options.script = script;
  return options;
}

// Runs `commands`, then reads whatever input is left, up to its end, into rest.txt. Exits with
// the commands' exit code.
std::string ThenKeepTheRest(const std::string& commands) {
  return commands + "; status=$?; IFS= read -r -d '' rest; printf '%s' \"$rest\" > rest.txt; exit $status";
}

TEST(SharedInput, SetupLeavesEverythingBehindItsKeyToTheNextReader) {
  struct Case {
    std::string commands;
    std::string script;
    std::string config;
    std::string rest;
  };
  const std::vector<Case> cases = {
      // Started by a drive path, setup reads one key.
      {"(exec -a 'C:\\k\\setup.exe' \"$1\")", "2 then\nmore", "C:\\k\\\r\n-r1", " then\nmore"},
      // Started by its bare name it reads a word first; the Enter behind it is a rejected key.
      {"(exec -a setup \"$1\")", "D:\\inst\\\n3then\nmore", "D:\\inst\\\r\n-r7", "then\nmore"},
      // In a folder with a blank it asks winepath for the short form, which gets none of it.
      {"(PATH=$PWD/bin; exec -a \"$PWD/My Movies/setup\" \"$1\")", "2 then\nmore", "Z:\\MYMOVI~1\\\r\n-r1",
       " then\nmore"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::filesystem::create_directories(dir / "My Movies");
    std::filesystem::create_directories(dir / "bin");
    WriteBytes(dir / "bin/winepath", "#!/bin/sh\nwhile read -r line; do :; done\nprintf 'Z:\\\\MYMOVI~1\\\\\\r\\n'\n");
    std::filesystem::permissions(dir / "bin/winepath", std::filesystem::perms::owner_all);
    PtySession session(OnOnePipe(dir, ThenKeepTheRest(c.commands), c.script));
    EXPECT_EQ(session.Finish(), 0) << c.script;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), c.config) << c.script;
    EXPECT_EQ(ReadBytes(dir / "rest.txt"), c.rest) << c.script;
  }
}

TEST(SharedInput, SetupThenWizardAsTheDemoRunsThem) {
  TempDir dir;
  for (const char* sub : {"input", "temp", "nandub"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "input/VTS_01_1.VOB", "");
  // Region 2, stream 0, no VBR, 128 kbit/s, real 4:3, no run, a last key; then what is left.
  PtySession session(
      OnOnePipe(dir, ThenKeepTheRest("(exec -a 'C:\\k\\setup.exe' \"$1\") && \"$2\""), "120n51nzleft over"));
  EXPECT_EQ(session.Finish(), 0);

  EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\k\\\r\n-r2");
  EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), "C:\\k\\input\\VTS_01_1.VOB\r\n");
  EXPECT_NE(ReadBytes(dir / "process.bat").find("lame.exe -h -b 128 C:\\k\\temp\\pcmaudio.wav"), std::string::npos);
  const std::string transcript = session.Transcript();
  EXPECT_NE(transcript.find(kIdctMenu + "1"), std::string::npos);
  EXPECT_NE(transcript.find(kOffer + "n"), std::string::npos);
  EXPECT_NE(transcript.find(kFarewell), std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "rest.txt"), "left over");
}

}  // namespace
}  // namespace kelvarro::testing
