#pragma once

// The install tree of the end-to-end fault runs, and what one constant-bitrate run of the
// wizard shows and lists in it (golden_files.h has the files it writes).

#include <filesystem>
#include <string>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/pty_session.h"

namespace kelvarro::testing {

inline const std::string kInstallDir = "d:\\k\\";

// config.cfg naming kInstallDir and the switch -r1, two empty VOB files in input, and the
// directories the wizard writes into.
inline void MakeWizardInstall(const TempDir& dir) {
  for (const char* sub : {"input", "temp", "nandub"}) std::filesystem::create_directory(dir / sub);
  WriteBytes(dir / "config.cfg", kInstallDir + "\r\n-r1");
  WriteBytes(dir / "input/VTS_01_1.VOB", "");
  WriteBytes(dir / "input/VTS_01_2.VOB", "");
}

// The keys of a constant-bitrate run: region 2, stream 0, no VBR, 128 kbit/s, 4:3, not run
// now, and the key that ends it.
inline const std::string kConstantKeys = "20n51nk";

// What that run shows behind its screen clear, its keys echoed.
inline std::string ConstantRunShown() {
  using namespace texts;
  return kWelcome + kRegion + "2" + kStream + "0" + kVbr + "n" + kBitrates + "5" + kAspect + "1" + kOffer + "n" +
         kFarewell;
}

inline std::string MovieList(const std::string& dir) {
  return dir + "input\\VTS_01_1.VOB\r\n" + dir + "input\\VTS_01_2.VOB\r\n";
}

// A run of `program` under the name `argv0` in `dir`, on the terminal, without batch runner.
inline PtyOptions RunIn(const TempDir& dir, const std::string& program, const std::string& argv0) {
  PtyOptions options;
  options.program = program;
  options.argv = {argv0};
  options.workdir = dir.path();
  options.environment = {"PATH=/nonexistent"};
  return options;
}

// The same run with standard input a pipe that delivers `script` and then ends.
inline PtyOptions ScriptedRunIn(const TempDir& dir, const std::string& program, const std::string& argv0,
                                const std::string& script) {
  PtyOptions options = RunIn(dir, program, argv0);
  options.stdin_from_script = true;
  options.script = script;
  return options;
}

}  // namespace kelvarro::testing
