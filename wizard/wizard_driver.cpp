#include "wizard/wizard_driver.h"

#include <string>

#include "common/config_file.h"
#include "common/prompts.h"

namespace kelvarro {
namespace {

constexpr const char* kNoConfigMessage =
    "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n";

int Run(Console& console, CommandInterpreter& interpreter, FileSystem& files) {
  const std::optional<WizardConfig> config = ReadConfig(files);
  if (!config) {
    console.Write(kNoConfigMessage);
    WaitKey(console);
    return 1;
  }

  ClearScreen(interpreter);
  console.Write("welcome to kelvarro 0.7.31\n");

  const char run_now = KeyMenu(
      console, {"\n\nthe process.bat file is generated. do you want to run it now (y/n)? "}, KeySet::YesNo());
  if (IsYes(run_now)) interpreter.Run("process.bat");

  console.Write("\n\nthank you for using kelvarro!\n\n");
  console.Write("big thanks to Mirel who helped me very much with testing lots of beta releases.\n");
  console.Write(std::string("for infos, updates and support, please visit ") + kHomePage + "\n\n");
  WaitKey(console);
  return 0;
}

}  // namespace

int RunWizard(Console& console, CommandInterpreter& interpreter, FileSystem& files) {
  try {
    return Run(console, interpreter, files);
  } catch (const EndOfInput&) {
    return 1;
  }
}

}  // namespace kelvarro
