#include "wizard/wizard_driver.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "common/config_file.h"
#include "common/prompts.h"
#include "wizard/batch_writer.h"
#include "wizard/conversion.h"
#include "wizard/disc_survey.h"
#include "wizard/encoding_choices.h"
#include "wizard/encoding_questions.h"
#include "wizard/job_script_writer.h"
#include "wizard/movie_files.h"
#include "wizard/vob_lister.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

constexpr const char* kNoConfigMessage =
    "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n";
constexpr const char* kInstallDirTooLongMessage =
    "\nuh-oh... looks like the install dir in config.cfg is longer than any windows path!\n\n";
const std::string kNoVobMessage = "\nuh-oh... looks like you don't have any vob files in the input dir!\n\n";

constexpr const char* kBusyMessage =
    "\nuh-oh... another wizard is running in this folder! please wait until it has ended.\n\n";
const std::string kFarewellMessage =
    "\n\nthank you for using kelvarro!\n\n"
    "big thanks to Mirel who helped me very much with testing lots of beta releases.\n"
    "for infos, updates and support, please visit " +
    std::string(kHomePage) + "\n\n";

// How a run ends: the last text shown, before the closing key, and the exit code.
struct Ending {
  std::string text;
  int exit_code;
};
Ending Failed(std::string text) { return {std::move(text), 1}; }

// Everything up to the closing text. The folder's lock is held from before the first file is
// written to the end, and let go before the closing key, for which a user may take their time.
Ending Run(Console& console, WizardInterpreter& interpreter, FileSystem& files, const ShortForms& short_forms) {
  EncodingChoices choices;
  const std::optional<WizardConfig> read = ReadConfig(files);
  if (!read) return Failed(kNoConfigMessage);
  const WizardConfig& config = *read;
  if (config.install_dir.size() > kLongestWindowsPath) return Failed(kInstallDirTooLongMessage);

  // Where no lock can be had, the folder cannot be written either, and the first file the run
  // writes tells so.
  bool held_elsewhere = false;
  const std::unique_ptr<FolderLock> lock = files.LockFolder(kLockPath, held_elsewhere);
  if (held_elsewhere) return Failed(kBusyMessage);

  const VobDiscovery found = VobLister(interpreter, files, config.install_dir);
  if (found.failure) return Failed(WriteFailureMessage(*found.failure));
  if (found.none_found) {
    std::string dropped;
    for (const std::string& line : DroppedNames(files, {})) dropped += line + "\n";
    return Failed(kNoVobMessage + VobFolderHint(files) + dropped + (dropped.empty() ? "" : "\n"));
  }

  // Read before the greeting, so that the questions can be told what the disc says.
  const DiscSurvey survey = SurveyDisc(files, found.names);
  const DiscAdvice& disc = survey.advice;

  interpreter.ClearScreen();
  console.Write("welcome to kelvarro 0.7.31\n");
  console.Write(survey.not_the_movie);

  // The job script needs only the install directory, so it is on disk before the questions
  // that shape the batch file.
  const char region = AskRegion(console, disc.RegionHint());
  DecideFrameRate(console, region, choices, disc.FrameRateHint());
  if (const std::optional<WriteFailure> failure = JobScriptWriter(files, BuildEscapedInstallDir(config.install_dir))) {
    return Failed(WriteFailureMessage(*failure));
  }

  AskAudioStream(console, choices, disc.AudioHint(), [&](char key) { return disc.JudgeStream(key); });
  AskMp3Mode(console, choices);
  AskAspect(console, choices, disc.AspectHint());
  if (const std::optional<WriteFailure> failure = BatchWriter(files, config, choices, short_forms)) {
    return Failed(WriteFailureMessage(*failure));
  }

  // The batch file is complete and closed here, this run's own to the byte: only such a one is
  // offered.
  const char run_now =
      KeyMenu(console, {"\n\nthe process.bat file is generated. do you want to run it now (y/n)? "}, KeySet::YesNo());
  if (IsYes(run_now)) {
    if (auto stopped = RunConversion(console, interpreter, files, config, choices)) {
      return Failed(*stopped);
    }
  }
  return {kFarewellMessage, 0};
}

}  // namespace

int RunWizard(Console& console, WizardInterpreter& interpreter, FileSystem& files, const ShortForms& short_forms) {
  return RunToTheEnd([&] {
    const Ending ending = Run(console, interpreter, files, short_forms);
    console.Write(ending.text);
    console.WaitKey();
    return ending.exit_code;
  });
}

}  // namespace kelvarro
