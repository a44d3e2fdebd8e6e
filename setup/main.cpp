#include <string>

#include "common/command_interpreter.h"
#include "common/disk_file_system.h"
#include "common/platform_paths.h"
#include "common/platform_text.h"
#include "common/terminal_console.h"
#include "setup/setup_dialogue.h"
#include "setup/setup_platform.h"

int main(int argc, char** argv) {
  kelvarro::TerminalConsole console;
  kelvarro::SystemInterpreter interpreter;
  kelvarro::DiskFileSystem files;
  const auto to_config_text = [](const std::string& text, std::string& out) {
    out = text;
    return kelvarro::platform::ToProgramCodePage(out);
  };
  const kelvarro::FolderNaming naming{kelvarro::platform::ShortPathOf, to_config_text, kelvarro::platform::TypedPath,
                                      kelvarro::platform::ShortFormWaitNote()};
  return kelvarro::RunSetup(console, interpreter, files, kelvarro::platform::ProgramPath(argc, argv), naming);
}
