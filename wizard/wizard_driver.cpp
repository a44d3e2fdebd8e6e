#include "wizard/wizard_driver.h"

#include <optional>
#include <string>

#include "common/config_file.h"
#include "common/prompts.h"
#include "wizard/batch_writer.h"
#include "wizard/conversion.h"
#include "wizard/disc_advice.h"
#include "wizard/encoding_choices.h"
#include "wizard/encoding_questions.h"
#include "wizard/job_script_writer.h"
#include "wizard/movie_choice.h"
#include "wizard/movie_reader.h"
#include "wizard/vob_lister.h"

namespace kelvarro {
namespace {

constexpr const char* kNoConfigMessage =
    "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n";
constexpr const char* kInstallDirTooLongMessage =
    "\nuh-oh... looks like the install dir in config.cfg is longer than any windows path!\n\n";
const std::string kNoVobMessage = "\nuh-oh... looks like you don't have any vob files in the input dir!\n\n";

void SayFarewell(Console& console) {
  console.Write("\n\nthank you for using kelvarro!\n\n");
  console.Write("big thanks to Mirel who helped me very much with testing lots of beta releases.\n");
  console.Write(std::string("for infos, updates and support, please visit ") + kHomePage + "\n\n");
}

int Run(Console& console, WizardInterpreter& interpreter, FileSystem& files, const ShortForms& short_forms) {
  EncodingChoices choices;
  const std::optional<WizardConfig> read = ReadConfig(files);
  if (!read) return Fail(console, kNoConfigMessage);
  const WizardConfig& config = *read;
  if (config.install_dir.size() > kLongestWindowsPath) return Fail(console, kInstallDirTooLongMessage);

  const VobDiscovery found = VobLister(interpreter, files, config.install_dir);
  if (found.failure) return Fail(console, WriteFailureMessage(*found.failure));
  if (found.none_found) return Fail(console, kNoVobMessage + VobFolderHint(files));

  // Read before the greeting, so that the questions can be told what the disc says.
  const DiscAdvice disc(ReadMovie(files, ChooseMovie(files, found.names)));

  interpreter.ClearScreen();
  console.Write("welcome to kelvarro 0.7.31\n");

  // The job script needs only the install directory, so it is on disk before the questions
  // that shape the batch file.
  const char region = AskRegion(console, disc.RegionHint());
  DecideFrameRate(console, region, choices, disc.FrameRateHint());
  if (const std::optional<WriteFailure> failure = JobScriptWriter(files, BuildEscapedInstallDir(config.install_dir))) {
    return Fail(console, WriteFailureMessage(*failure));
  }

  AskAudioStream(console, choices, disc.AudioHint(), [&](char key) { return disc.JudgeStream(key); });
  AskMp3Mode(console, choices);
  AskAspect(console, choices, disc.AspectHint());
  if (const std::optional<WriteFailure> failure = BatchWriter(files, config, choices, short_forms)) {
    return Fail(console, WriteFailureMessage(*failure));
  }

  // The batch file is complete and closed here, this run's own to the byte: only such a one is
  // offered.
  const char run_now =
      KeyMenu(console, {"\n\nthe process.bat file is generated. do you want to run it now (y/n)? "}, KeySet::YesNo());
  if (IsYes(run_now)) {
    if (auto stopped = RunConversion(console, interpreter, files, config, choices, short_forms)) {
      return Fail(console, *stopped);
    }
  }

  SayFarewell(console);
  console.WaitKey();
  return 0;
}

}  // namespace

int RunWizard(Console& console, WizardInterpreter& interpreter, FileSystem& files, const ShortForms& short_forms) {
  return RunToTheEnd([&] { return Run(console, interpreter, files, short_forms); });
}

}  // namespace kelvarro
