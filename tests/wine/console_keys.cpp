// Drives wizard.exe under Wine on a pseudo-terminal, so that keys come from Wine's console
// through the console key calls, not from a pipe: one whole run, typed key by key, each only
// once its question is on the screen. Built for the machine that runs Wine, not for Windows.
// Usage: console_keys WIZARD_EXE SCRATCH_DIR
// Exits 0 when the run ended with exit code 0 and wrote its files byte for byte.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/pty_session.h"
#include "wine/console_driver.h"

using namespace kelvarro::testing;
using namespace kelvarro::testing::texts;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: console_keys WIZARD_EXE SCRATCH_DIR\n";
    return 2;
  }
  const std::filesystem::path dir = argv[2];
  std::filesystem::remove_all(dir);  // nothing of an earlier run may stand in for this one's files
  for (const char* sub : {"input", "temp", "nandub"}) std::filesystem::create_directories(dir / sub);
  std::filesystem::copy_file(argv[1], dir / "wizard.exe", std::filesystem::copy_options::overwrite_existing);
  const std::string install = "Z:\\k\\";  // need not exist: only the files name it
  WriteBytes((dir / "config.cfg").string(), install + "\r\n-r7");
  WriteBytes((dir / "input/VTS_01_1.VOB").string(), "");

  PtyOptions options;
  options.program = "/usr/bin/wine";
  options.argv = {"wine", "wizard.exe"};
  options.workdir = dir.string();
  options.environment = {"WINEDEBUG=-all"};
  options.timeout = std::chrono::milliseconds(60000);
  PtySession session(options);

  // Region 1 at 29 fps, stream 9, a rejected key, VBR 128..192 at quality 0, 16:9 coded
  // widescreen, no run; the closing key is taken without echo.
  struct Step {
    std::string shown;
    std::string typed;
  };
  const std::vector<Step> steps = {
      {kWelcome + kRegion, "1"}, {kFrameRate, "2"}, {kStream, "9"}, {kVbr, "x"},   {kVbr, "y"},     {kMinimum, "128"},
      {kMaximum, "192"},         {kQuality, "0"},   {kAspect, "5"}, {kOffer, "n"}, {kFarewell, "q"}};
  for (const Step& step : steps) {
    if (!session.ExpectOnScreen(step.shown)) return Fail("no " + ScreenLetters(step.shown), session);
    // A key is taken and echoed by the console at once; a typed number is ended with Enter.
    const bool line = step.typed.size() > 1;
    if (!session.TypeNow(line ? step.typed + "\r" : step.typed)) return Fail("cannot type " + step.typed, session);
    if (step.typed != "q" && !session.ExpectOnScreen(step.typed)) return Fail("no echo of " + step.typed, session);
  }
  const int status = session.Finish();
  if (status != 0) return Fail("exit code " + std::to_string(status), session);

  const std::string expected_batch =
      "start /wait Z:\\k\\progs\\m2apx3g.exe -b Z:\\k\\input\\movie.lst -f6 -q0 -r7 -3X 512 -3Y 288 -1 512 216"
      " -a0x89 -o8 Z:\\k\\temp\\movie_1.avi\r\n"
      "Z:\\k\\progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db Z:\\k\\temp\\movie_1.avistream0x89.ac3"
      " Z:\\k\\temp\\pcmaudio.wav\r\n"
      "Z:\\k\\progs\\lame.exe -h -b 128 -V 0 -B 192 Z:\\k\\temp\\pcmaudio.wav Z:\\k\\temp\\audio.mp3\r\n"
      "Z:\\k\\nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
  if (ReadBytes((dir / "process.bat").string()) != expected_batch) return Fail("process.bat differs", session);
  if (ReadBytes((dir / "nandub/multi.vcf").string()) != JobScriptFor("Z:\\\\k\\\\")) {
    return Fail("multi.vcf differs", session);
  }
  if (ReadBytes((dir / "input/movie.lst").string()) != "Z:\\k\\input\\VTS_01_1.VOB\r\n") {
    return Fail("movie.lst differs", session);
  }
  std::cout << "ok\n";
  return 0;
}
