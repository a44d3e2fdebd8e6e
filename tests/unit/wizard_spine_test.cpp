#include "wizard/wizard_driver.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"
#include "support/scripted_console.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
using testing::ScriptedConsole;

TEST(WizardSpine, MissingConfigPrintsOnlyTheMessageAndWaitsForAnUnechoedKey) {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  ScriptedConsole console("q");
  EXPECT_EQ(RunWizard(console, interpreter, files), 1);
  EXPECT_EQ(console.Output(),
            "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n");
  EXPECT_TRUE(interpreter.commands.empty());
}

TEST(WizardSpine, EndOfInputAtAnyWaitEndsWithExitCodeOne) {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  ScriptedConsole console("");
  EXPECT_EQ(RunWizard(console, interpreter, files), 1);
}

}  // namespace
}  // namespace kelvarro
