#include <string>

#include "common/command_interpreter.h"
#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/terminal_console.h"
#include "setup/setup_dialogue.h"
#include "setup/setup_platform.h"

int main(int argc, char** argv) {
  kelvarro::TerminalConsole console;
  kelvarro::CommandInterpreter interpreter;
  kelvarro::DiskFileSystem files;
  const kelvarro::platform::SystemShortForms short_forms;
  return kelvarro::RunSetup(console, interpreter, files, kelvarro::platform::ProgramPath(argc, argv), short_forms);
}
