// Drives setup.exe under Wine on a pseudo-terminal, started by its bare name, so that the path
// it asks for is typed at Wine's console: the console hands it over in its input code page,
// and config.cfg must hold it in the ANSI code page. Built for the machine that runs Wine.
// Usage: console_typed_path SETUP_EXE SCRATCH_DIR TYPED_UTF8 EXPECTED_CONFIG_FIRST_LINE
// The locale (and so both code pages) comes from the environment.

#include <filesystem>
#include <iostream>
#include <string>

#include "support/dialogue_texts.h"
#include "support/pty_session.h"
#include "wine/console_driver.h"

using namespace kelvarro::testing;
using namespace kelvarro::testing::texts;

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: console_typed_path SETUP_EXE SCRATCH_DIR TYPED_UTF8 EXPECTED_CONFIG_FIRST_LINE\n";
    return 2;
  }
  const std::filesystem::path dir = argv[2];
  std::filesystem::remove_all(dir);  // nothing of an earlier run may stand in for this one's file
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(argv[1], dir / "setup.exe");

  PtyOptions options;
  options.program = "/usr/bin/wine";
  options.argv = {"wine", "cmd", "/c", "setup.exe"};
  options.workdir = dir.string();
  options.timeout = std::chrono::milliseconds(60000);
  PtySession session(options);

  if (!session.ExpectOnScreen("kelvarro0.7.1\\):")) return Fail("no path question", session);
  // Wine's console takes the terminal raw only when the program first reads from it: an Enter
  // typed before would arrive as a line feed, which is no Enter to it.
  if (!session.WaitForKeyMode() || !session.WaitUntilAsleep()) return Fail("no read of the path", session);
  if (!session.TypeNow(std::string(argv[3]) + "\r")) return Fail("cannot type the path", session);
  if (!session.ExpectOnScreen("please choose the IDCT to use: ")) return Fail("no IDCT menu", session);
  if (!session.TypeNow("1")) return Fail("cannot type the key", session);
  const int status = session.Finish();
  if (status != 0) return Fail("exit code " + std::to_string(status), session);
  const std::string config = ReadBytes((dir / "config.cfg").string());
  if (config != std::string(argv[4]) + "\r\n-r2") return Fail("config.cfg holds " + config, session);
  std::cout << "ok\n";
  return 0;
}
