#include "common/command_interpreter.h"
#include "common/disk_file_system.h"
#include "common/terminal_console.h"
#include "wizard/wizard_driver.h"

int main() {
  kelvarro::TerminalConsole console;
  kelvarro::SystemInterpreter interpreter;
  kelvarro::DiskFileSystem files;
  return kelvarro::RunWizard(console, interpreter, files);
}
