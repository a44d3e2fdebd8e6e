#include <string>

#include "common/command_interpreter.h"
#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/terminal_console.h"
#include "setup/setup_dialogue.h"

int main(int argc, char** argv) {
  kelvarro::TerminalConsole console;
  kelvarro::SystemInterpreter interpreter;
  kelvarro::DiskFileSystem files;
  const std::string program_path = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  return kelvarro::RunSetup(console, interpreter, files, program_path, kelvarro::platform::ShortPathOf);
}
