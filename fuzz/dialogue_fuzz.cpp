// Whole runs of the wizard and of setup on arbitrary keys and typed numbers, with config.cfg,
// the VOB listing and the program path taken from the input too. No run may wait on its input
// more often than the input can account for (BoundedConsole), and what a run leaves behind
// must fit how it ended.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "common/folder_name.h"
#include "fuzz/bounded_console.h"
#include "fuzz/fields.h"
#include "fuzz/fuzz_check.h"
#include "setup/setup_dialogue.h"
#include "support/dialogue_texts.h"
#include "support/folder_naming.h"
#include "support/golden_files.h"
#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"
#include "support/reference_vob_scan.h"
#include "wizard/job_script_writer.h"
#include "wizard/wizard_driver.h"
#include "wizard/wizard_files.h"

namespace kelvarro::fuzz {
namespace {

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
namespace texts = testing::texts;

enum Flag : std::uint8_t {
  kRunSetup = 1,
  kNoConfig = 2,   // wizard: config.cfg missing; setup: config.cfg unwritable
  kNoListing = 4,  // "dir" writes no listing
  kListingUnreadable = 8,
  kListUnwritable = 16,
  kScriptUnwritable = 32,
  kBatchUnwritable = 64,
  kSomeNamesMissing = 128,  // a name found has a file in input\ only when its bytes add up to even
};

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

unsigned ByteSum(const std::string& text) {
  unsigned sum = 0;
  for (const char c : text) sum += static_cast<unsigned char>(c);
  return sum;
}

bool IsCompleteBatchFile(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n') == 4 && EndsWith(text, "\r\n");
}

// The input after the flags: config.cfg (one length byte), the listing (two), then the keys.
void FuzzWizard(std::uint8_t flags, Fields& fields) {
  const std::string config = fields.Text(1);
  const std::string listing = fields.Text(2);
  MemoryFileSystem files;
  if ((flags & kNoConfig) == 0) files.files[kConfigFileName] = config;
  if (flags & kListingUnreadable) files.unreadable.insert(kListingPath);
  if (flags & kListUnwritable) files.unwritable.insert(kMovieListPath);
  if (flags & kScriptUnwritable) files.unwritable.insert(kJobScriptPath);
  if (flags & kBatchUnwritable) files.unwritable.insert(kBatchFilePath);
  // The names the listing gives, and the files of input\: a name goes into movie.lst when a
  // file stands under it in input\ itself (no path separator in it).
  const bool listed = (flags & (kNoListing | kListingUnreadable)) == 0;
  std::vector<std::string> names;
  for (const std::string& name : testing::LiteralNames(listing)) {
    if ((flags & kSomeNamesMissing) == 0 || ByteSum(name) % 2 == 0) files.files["input\\" + name] = "";
    if (listed && files.Has("input\\" + name) && name.find_first_of("\\/") == std::string::npos) {
      names.push_back(name);
    }
  }

  // The wizard runs where config.cfg says, with its tools, which make as many of the movie's
  // files as the listing's length says; an earlier run left them all.
  if (const std::optional<WizardConfig> read = ReadConfig(files)) files.working_folder = read->install_dir;
  const char* const made[] = {"temp\\movie_1.avi", "temp\\movie_1.avistream0x80.ac3", "temp\\pcmaudio.wav",
                              "temp\\audio.mp3", "output\\output.avi"};
  for (const char* path : {"progs\\m2apx3g.exe", "progs\\azid.exe", "progs\\lame.exe", "nandub\\nandub.exe"}) {
    files.files[path] = "";
  }
  for (const char* path : made) files.files[path] = "earlier";
  RecordingInterpreter interpreter;
  interpreter.action = [&](const std::string& operation) {
    if (operation == testing::kListVobFiles && (flags & kNoListing) == 0) files.files[kListingPath] = listing;
    if (operation == testing::kRunBatchFile && (flags & kBatchUnwritable) == 0) {
      Require(IsCompleteBatchFile(files.At(kBatchFilePath)), "the batch file is complete before it runs");
      Require(!files.Has("temp\\audio.mp3") && !files.Has("output\\output.avi"), "no earlier file is left to take");
      for (std::size_t i = 0; i < listing.size() % 6; ++i) files.files[made[i]] = "made";
    }
  };
  BoundedConsole console(fields.Rest());
  const int exit_code = RunWizard(console, interpreter, files, testing::NoShortForm());
  const std::string output = console.Output();
  Require(exit_code == 0 || exit_code == 1, "exit code 0 or 1");

  if (flags & kNoConfig) {
    Require(exit_code == 1 && output == texts::kNoConfig, "no config.cfg: its message alone, exit code 1");
    Require(interpreter.operations.empty(), "no config.cfg: no command");
    return;
  }
  Require(!interpreter.operations.empty() && interpreter.operations[0] == testing::kListVobFiles,
          "the VOB files are listed first");
  Require(std::count(interpreter.operations.begin(), interpreter.operations.end(), testing::kRunBatchFile) <= 1,
          "the batch file runs at most once");

  const std::string install_dir = ReadConfig(files)->install_dir;
  // A listing that holds no more than its header was cut short, or never written.
  std::size_t characters = 0;
  for (std::size_t i = 0; i < listing.size(); ++i) characters += listing.compare(i, 2, "\r\n") == 0 ? 0 : 1;
  if (!listed || characters <= 50) {
    Require(exit_code == 1 && output == texts::NotWritten("temp\\menulst.tmp", ""),
            "a listing not written: its message alone, exit code 1");
    return;
  }
  if (flags & kListUnwritable) {
    Require(exit_code == 1 && output == texts::NotWritten("input\\movie.lst", testing::kNoRight),
            "movie.lst not written: its message alone, exit code 1");
    return;
  }
  {
    std::string expected;
    for (const std::string& name : names) expected += install_dir + "input\\" + name + "\r\n";
    Require(files.At(kMovieListPath) == expected, "movie.lst holds the listed names of files in input");
  }
  if (names.empty()) {
    // A name with a backslash puts a VOB file one folder down, which the message points at.
    const std::string hint = "please copy them into input\\ itself!\n\n";
    const bool pointed = output.size() > texts::kNoVob.size() && EndsWith(output, hint);
    Require(exit_code == 1 && output.rfind(texts::kNoVob, 0) == 0 && (output == texts::kNoVob || pointed),
            "no VOB files: their message alone, or with the folder one down, exit code 1");
    return;
  }
  if (flags & kBatchUnwritable) {
    Require(std::count(interpreter.operations.begin(), interpreter.operations.end(), testing::kRunBatchFile) == 0,
            "a batch file that was not written is never run");
  }
  for (const auto& [flag, file] :
       {std::pair{kScriptUnwritable, "nandub\\multi.vcf"}, {kBatchUnwritable, "process.bat"}}) {
    if ((flags & flag) == 0) continue;
    const std::string told = texts::NotWritten(file, testing::kNoRight);
    Require(exit_code == 1, "a file that was not written ends the run");
    Require(output.find(told) == std::string::npos || EndsWith(output, told), "nothing is asked after the failure");
  }
  if (files.Has("output\\output-1.avi"))
    Require(files.At("output\\output-1.avi") == "earlier", "the earlier movie is kept");
  if (exit_code != 0) return;
  Require(EndsWith(output, texts::kFarewell), "a finished run ends with the farewell");
  Require(files.Has("output\\output-1.avi") || files.At("output\\output.avi") == "earlier", "nothing made is lost");
  if (!interpreter.operations.empty() && interpreter.operations.back() == testing::kRunBatchFile) {
    Require(files.At("output\\output.avi") == "made", "a run said to be done has made the movie");
  }
  if ((flags & kScriptUnwritable) == 0) {
    Require(files.At(kJobScriptPath) == testing::JobScriptFor(BuildEscapedInstallDir(install_dir)),
            "a finished run leaves the job script for its install directory");
  }
  if ((flags & kBatchUnwritable) == 0) {
    Require(IsCompleteBatchFile(files.At(kBatchFilePath)), "a finished run leaves a complete batch file");
  }
}

// The input after the flags: the program path (one length byte), then the keys and lines.
void FuzzSetup(std::uint8_t flags, Fields& fields) {
  const std::string program_path = fields.Text(1);
  MemoryFileSystem files;
  files.files[kConfigFileName] = "d:\\an\\earlier\\install\\\r\n-r7";
  if (flags & kNoConfig) files.unwritable.insert(kConfigFileName);
  RecordingInterpreter interpreter;
  BoundedConsole console(fields.Rest());
  // No folder has a short form: a worked-out path that the batch file cannot carry is asked for.
  const int exit_code = RunSetup(console, interpreter, files, program_path, testing::NoShortForm());
  const std::string output = console.Output();
  Require(exit_code == 0 || exit_code == 1, "exit code 0 or 1");
  Require(interpreter.operations == std::vector<std::string>{testing::kClearScreen}, "one screen clear");
  Require(output.compare(0, texts::kBanner.size(), texts::kBanner) == 0, "the banner comes first");
  const std::string& written = files.At(kConfigFileName);
  if (flags & kNoConfig) {
    Require(exit_code == 1 && output == texts::kBanner + texts::NotWritten("config.cfg", testing::kNoRight),
            "a config.cfg that cannot be written is told before any question");
  }
  if (exit_code == 1) {
    Require(written == "d:\\an\\earlier\\install\\\r\n-r7", "a run that does not end normally keeps config.cfg");
    return;
  }
  const bool from_drive = program_path.size() >= 2 && program_path[1] == ':';
  const std::size_t line_end = written.rfind("\r\n");
  Require(line_end != std::string::npos, "config.cfg has its line end");
  const std::string idct = written.substr(line_end + 2);
  Require(idct == "-r1" || idct == "-r2" || idct == "-r7", "config.cfg ends with a known IDCT switch");
  const std::size_t slash = program_path.rfind('\\');
  const std::string dir = slash == std::string::npos ? "" : program_path.substr(0, slash + 1);
  // A directory that the batch file cannot carry as it is (white space, ; , = ( ), a byte beyond
  // ASCII, a length that leaves the tools no room), or that no Windows program can enter, is
  // asked for.
  std::string ascii;
  const std::string refused = WhyWindowsCannotEnter(dir);
  const bool asked = !from_drive || !refused.empty() || SplitsCommandLine(dir) || !testing::AsciiOnly(dir, ascii) ||
                     dir.size() > kLongestInBatchFile;
  if (from_drive && asked) {
    Require(output.find(texts::UnusableFolder(refused.empty() ? testing::kNoShortFormReason : refused)) !=
                std::string::npos,
            "the reason is named");
  }
  if (!asked) {
    Require(written == dir + "\r\n" + idct, "a drive path gives its directory");
  } else {
    const std::optional<WizardConfig> read = ReadConfig(files);
    Require(read->install_dir == written.substr(0, line_end) && read->idct_switch == idct,
            "a typed path reads back as it was written");
  }
}

}  // namespace
}  // namespace kelvarro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kelvarro::fuzz::Fields fields(data, size);
  const std::uint8_t flags = fields.Byte();
  if (flags & kelvarro::fuzz::kRunSetup) {
    kelvarro::fuzz::FuzzSetup(flags, fields);
  } else {
    kelvarro::fuzz::FuzzWizard(flags, fields);
  }
  return 0;
}
