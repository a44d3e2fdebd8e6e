#include "wizard/conversion.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/platform_text.h"
#include "common/write_failure.h"

namespace kelvarro {
namespace {

// The four tools in the order process.bat runs them; the decoder's line alone waits for it.
constexpr const char* kDecoder = "progs\\m2apx3g.exe";
constexpr const char* kSoundDecoder = "progs\\azid.exe";
constexpr const char* kEncoder = "progs\\lame.exe";
constexpr const char* kJoiner = "nandub\\nandub.exe";

// What the steps write, as the batch file's lines name them; the decoder's sound file is named
// after its video and the stream (SoundFile).
constexpr const char* kVideo = "temp\\movie_1.avi";
constexpr const char* kWave = "temp\\pcmaudio.wav";
constexpr const char* kMp3 = "temp\\audio.mp3";
constexpr const char* kMovie = "output\\output.avi";

// What each step writes, as its command line names it, and the tool that writes it.
struct StepFile {
  std::string path;
  const char* tool;
};

std::string SoundFile(const std::string& stream_id) { return kVideo + ("stream" + stream_id) + ".ac3"; }

std::vector<StepFile> StepFiles(const EncodingChoices& choices) {
  return {{kVideo, kDecoder},
          {SoundFile(choices.audio_stream_id), kDecoder},
          {kWave, kSoundDecoder},
          {kMp3, kEncoder},
          {kMovie, kJoiner}};
}

// A folder's name as Windows compares it: letters of either case alike, either slash, one
// final backslash.
std::string Folded(std::string folder) {
  for (char& c : folder) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '/') c = '\\';
  }
  if (folder.empty() || folder.back() != '\\') folder.push_back('\\');
  return folder;
}

// Whether the install directory `a` names the folder `b`. An empty one leaves every path of
// the batch file relative to the folder it runs in. The short form is asked for only where the
// names differ: setup writes it for a folder whose own name the tools cannot take.
bool SameFolder(const std::string& a, const std::string& b, const ShortForms& short_forms) {
  if (a.empty() || Folded(a) == Folded(b)) return true;
  const ShortForm short_b = short_forms.Of(b);
  if (short_b.path.empty()) return false;
  if (Folded(a) == Folded(short_b.path)) return true;
  const ShortForm short_a = short_forms.Of(a);
  return !short_a.path.empty() && Folded(short_a.path) == Folded(short_b.path);
}

std::string FolderName(const std::string& path) { return path.substr(0, path.find('\\')); }
std::string FileName(const std::string& path) { return path.substr(path.find('\\') + 1); }

std::optional<std::string> WhyNotHere(WizardInterpreter& interpreter, FileSystem& files, const WizardConfig& config,
                                      const ShortForms& short_forms) {
  const std::string blocked = interpreter.WhyBatchFilesCannotRun();
  if (!blocked.empty()) return "\nuh-oh... i can't run process.bat: " + blocked + "!\n\n";

  std::string configured = config.install_dir;
  if (!platform::FromProgramCodePage(configured)) configured = config.install_dir;
  const std::string here = files.WorkingFolder();
  if (!SameFolder(configured, here, short_forms)) {
    std::string shown = here;  // in the code page the programs print in, as config.cfg holds it
    if (!platform::ToProgramCodePage(shown)) shown = here;
    return "\nuh-oh... looks like config.cfg was made for the folder " + config.install_dir + ", but i'm running in " +
           shown + "! please run setup.exe here again.\n\n";
  }

  std::string missing;
  for (const char* tool : {kDecoder, kSoundDecoder, kEncoder, kJoiner}) {
    if (files.IsRegularFile(tool)) continue;
    missing += "uh-oh... i can't find the tool " + std::string(tool) + "! please put " + FileName(tool) +
               " into the folder " + FolderName(tool) + ".\n";
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

// Moves a finished movie of an earlier run to the first name that is free.
std::optional<std::string> KeepEarlierMovie(Console& console, FileSystem& files) {
  if (!files.Exists(kMovie)) return std::nullopt;
  std::string aside;
  for (int n = 1; aside.empty() || files.Exists(aside); ++n) aside = "output\\output-" + std::to_string(n) + ".avi";
  const std::string why_not = files.Rename(kMovie, aside);
  if (!why_not.empty()) {
    return "\nuh-oh... i can't move the earlier movie " + std::string(kMovie) + " aside: " + why_not +
           "! please move it yourself first.\n\n";
  }
  console.Write("\nthe earlier movie " + std::string(kMovie) + " is kept as " + aside + ".\n");
  return std::nullopt;
}

// The files of an earlier run that a step could take for this run's: the intermediate ones,
// with every stream's sound, not only this run's.
std::optional<std::string> RemoveEarlierFiles(FileSystem& files) {
  std::vector<std::string> paths = {kVideo, kWave, kMp3};
  for (char digit = '0'; digit <= '9'; ++digit) paths.push_back(SoundFile(std::string("0x8") + digit));
  for (const std::string& path : paths) {
    const std::string why_not = files.Remove(path);
    if (!why_not.empty()) return WriteFailureMessage(WriteFailure{path, why_not});
  }
  return std::nullopt;
}

// Whether a step made its file: one that holds at least a byte, as a tool that failed may
// leave an empty one behind.
bool Made(FileSystem& files, const std::string& path) {
  std::string first;
  return files.IsRegularFile(path) && files.ReadPart(path, 0, 1, first).empty() && first.size() == 1;
}

}  // namespace

std::optional<std::string> RunConversion(Console& console, WizardInterpreter& interpreter, FileSystem& files,
                                         const WizardConfig& config, const EncodingChoices& choices,
                                         const ShortForms& short_forms) {
  if (auto why_not = WhyNotHere(interpreter, files, config, short_forms)) return why_not;
  if (auto why_not = WhyNotWritable(files)) return why_not;
  if (auto why_not = KeepEarlierMovie(console, files)) return why_not;
  if (auto why_not = RemoveEarlierFiles(files)) return why_not;

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
    return "\nuh-oh... looks like " + std::string(kJoiner) + " ended with exit code " + std::to_string(run.exit_code) +
           ", so the movie was not made!\n\n";
  }
  return std::nullopt;
}

}  // namespace kelvarro
