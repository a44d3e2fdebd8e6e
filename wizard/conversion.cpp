#include "wizard/conversion.h"

#include <algorithm>
#include <vector>

#include "common/platform_text.h"
#include "common/write_failure.h"
#include "wizard/conversion_steps.h"

namespace kelvarro {
namespace {

constexpr const char* kMovie = kJoinerStep.writes;

// Why config.cfg's folder is not the one the wizard runs in, or nothing. An empty one leaves
// every path of the batch file relative to the folder it runs in. Equal names are one folder
// without a lookup; otherwise the system tells, by what the two folders are: Linux keeps names
// that differ only in case apart, and a link or a short form leads to the same folder.
std::optional<std::string> WhyNotThisFolder(FileSystem& files, const WizardConfig& config) {
  const std::string& dir = config.install_dir;
  if (dir.empty()) return std::nullopt;
  if (dir.back() != '\\') {
    return "\nuh-oh... looks like the folder " + dir +
           " in config.cfg does not end with a backslash, so no tool would be found! please run setup.exe here "
           "again.\n\n";
  }
  std::string configured = dir;
  if (!platform::FromProgramCodePage(configured)) configured = dir;
  const std::string here = files.WorkingFolder();
  if (configured == here) return std::nullopt;
  const platform::FolderMatch match = files.IsWorkingFolder(configured);
  switch (match.outcome) {
    case platform::FolderMatch::Outcome::kSame:
      return std::nullopt;
    case platform::FolderMatch::Outcome::kUnknown:
      return "\nuh-oh... i can't tell whether the folder " + dir +
             " in config.cfg is the one i'm running in: " + match.why_unknown + "!\n\n";
    case platform::FolderMatch::Outcome::kOther:
      break;
  }
  std::string shown = here;  // in the code page the programs print in, as config.cfg holds it
  if (!platform::ToProgramCodePage(shown)) shown = here;
  return "\nuh-oh... looks like config.cfg was made for the folder " + dir + ", but i'm running in " + shown +
         "! please run setup.exe here again.\n\n";
}

// Whether a file is at `path` as the batch file's lines find it.
bool IsFoundAsWineFindsIt(FileSystem& files, const std::string& path) {
  for (const std::string& found : files.FindAnyCase(path)) {
    if (files.IsRegularFile(found)) return true;
  }
  return false;
}

std::string FolderName(const std::string& path) { return path.substr(0, path.find('\\')); }
std::string FileName(const std::string& path) { return path.substr(path.find('\\') + 1); }

std::optional<std::string> WhyNotHere(WizardInterpreter& interpreter, FileSystem& files, const WizardConfig& config) {
  const std::string blocked = interpreter.WhyBatchFilesCannotRun();
  if (!blocked.empty()) return "\nuh-oh... i can't run process.bat: " + blocked + "!\n\n";
  if (auto why_not = WhyNotThisFolder(files, config)) return why_not;

  std::string missing;
  for (const ConversionStep& step : kConversionSteps) {
    const std::string tool = step.tool;
    if (IsFoundAsWineFindsIt(files, tool)) continue;
    missing += "uh-oh... i can't find the tool " + tool + "! please put " + FileName(tool) + " into the folder " +
               FolderName(tool) + ".\n";
  }
  if (!missing.empty()) return "\n" + missing + "\n";
  return std::nullopt;
}

// Where the steps put their files, checked before anything is moved: a folder the tools cannot
// write in would show only after hours, and a folder in the movie's place is no earlier movie.
std::optional<std::string> WhyNotWritable(FileSystem& files) {
  std::string refused;
  for (const char* folder : {"temp", "output"}) {
    const std::string why_not = files.WhyFolderCannotBeWritten(folder);
    if (!why_not.empty())
      refused += "uh-oh... i can't write into the folder " + std::string(folder) + "\\: " + why_not + "!\n";
  }
  if (!refused.empty()) return "\n" + refused + "\n";
  if (files.IsFolder(kMovie)) {
    return "\nuh-oh... " + std::string(kMovie) + " is a folder, not a movie! please move it out of output\\ first.\n\n";
  }
  return std::nullopt;
}

// Moves a finished movie of an earlier run, in whatever case its name is, to the first name
// in its folder that is free.
std::optional<std::string> KeepEarlierMovie(Console& console, FileSystem& files) {
  for (const std::string& movie : files.FindAnyCase(kMovie)) {
    const std::string folder = movie.substr(0, movie.rfind('\\') + 1);
    std::string aside;
    for (int n = 1; aside.empty() || !files.FindAnyCase(aside).empty(); ++n) {
      aside = folder + "output-" + std::to_string(n) + ".avi";
    }
    const std::string why_not = files.Rename(movie, aside);
    if (!why_not.empty()) {
      return "\nuh-oh... i can't move the earlier movie " + movie + " aside: " + why_not +
             "! please move it yourself first.\n\n";
    }
    console.Write("\nthe earlier movie " + movie + " is kept as " + aside + ".\n");
  }
  return std::nullopt;
}

// The files of an earlier run that a step could take for this run's: the intermediate ones,
// with every stream's sound, not only this run's, in whatever case their names are.
std::optional<std::string> RemoveEarlierFiles(FileSystem& files) {
  std::vector<std::string> paths = {kDecoderStep.writes, kSoundDecoderStep.writes, kEncoderStep.writes};
  for (char digit = '0'; digit <= '9'; ++digit) paths.push_back(SoundFile(std::string("0x8") + digit));
  for (const std::string& path : paths) {
    for (const std::string& found : files.FindAnyCase(path)) {
      const std::string why_not = files.Remove(found);
      if (!why_not.empty()) return WriteFailureMessage(WriteFailure{found, why_not});
    }
  }
  return std::nullopt;
}

// Whether a step made its file, as the next step finds it: one that holds at least a byte, as a
// tool that failed may leave an empty one behind.
bool Made(FileSystem& files, const std::string& path) {
  for (const std::string& found : files.FindAnyCase(path)) {
    std::string first;
    if (files.IsRegularFile(found) && files.ReadPart(found, 0, 1, first).empty() && first.size() == 1) return true;
  }
  return false;
}

// What each step writes, as its command line names it, and the tool that writes it; the decoder
// writes the chosen stream's sound beside its video.
struct StepFile {
  std::string path;
  const char* tool;
};

std::vector<StepFile> StepFiles(const EncodingChoices& choices) {
  std::vector<StepFile> steps;
  for (const ConversionStep& step : kConversionSteps) {
    steps.push_back({step.writes, step.tool});
    if (&step == &kDecoderStep) steps.push_back({SoundFile(choices.audio_stream_id), step.tool});
  }
  return steps;
}

}  // namespace

std::optional<std::string> RunConversion(Console& console, WizardInterpreter& interpreter, FileSystem& files,
                                         const WizardConfig& config, const EncodingChoices& choices) {
  if (auto why_not = WhyNotHere(interpreter, files, config)) return why_not;
  if (auto why_not = WhyNotWritable(files)) return why_not;
  // The intermediate files go first: where one stays, no movie has been moved yet.
  if (auto why_not = RemoveEarlierFiles(files)) return why_not;
  if (auto why_not = KeepEarlierMovie(console, files)) return why_not;

  const BatchRun run = interpreter.RunBatchFile();
  if (!run.not_started.empty()) return "\nuh-oh... process.bat could not be started: " + run.not_started + "!\n\n";

  // Judged by what is on disk: the first step whose file is missing or empty, then the status
  // of the last line, the one the interpreter tells (an earlier tool that fails after writing
  // part of its file passes).
  for (const StepFile& step : StepFiles(choices)) {
    if (Made(files, step.path)) continue;
    std::string message = "\nuh-oh... looks like " + std::string(step.tool) + " did not make " + step.path;
    if (step.path == SoundFile(choices.audio_stream_id)) {
      message += ": maybe the DVD has no audio stream " + choices.audio_stream_id + "!";
    } else {
      message += ", so the movie was not made!";
    }
    return message + "\n\n";
  }
  if (run.exit_code != 0) {
    return "\nuh-oh... looks like " + std::string(kJoinerStep.tool) + " ended with exit code " +
           std::to_string(run.exit_code) + ", so the movie was not made!\n\n";
  }
  return std::nullopt;
}

}  // namespace kelvarro
