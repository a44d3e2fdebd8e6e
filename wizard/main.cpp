#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/terminal_console.h"
#include "wizard/wizard_driver.h"
#include "wizard/wizard_interpreter.h"

int main() {
  kelvarro::TerminalConsole console;
  kelvarro::DiskFileSystem files;
  kelvarro::WizardSystemInterpreter interpreter(files);
  const kelvarro::platform::SystemShortForms short_forms;
  return kelvarro::RunWizard(console, interpreter, files, short_forms);
}
