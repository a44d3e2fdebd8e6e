#include "setup/setup_dialogue.h"

#include <optional>
#include <string>
#include <utility>

#include "common/config_file.h"
#include "common/folder_name.h"
#include "common/platform_text.h"
#include "common/prompts.h"
#include "common/write_failure.h"
#include "setup/setup_platform.h"

namespace kelvarro {
namespace {

constexpr const char* kBanner = "kelvarro 0.7.31 setup\n\n";

constexpr const char* kPathQuestion =
    "sorry, but i can't auto-config your path. please enter the path where you\n"
    "extracted the files (eg. d:\\divxstuff\\kelvarro0.7.1\\):\n";

// Completed by the reason the short-form lookup gives, and a full stop.
constexpr const char* kUnusableFolder = "the install directory can't go into a batch file as it is, and ";

constexpr const char* kIdctTable =
    "\n[1]\t16-bit MMX Chen iDCT (standard)\n[2]\t32-bit MMX iDCT\n"
    "[3]\t64-bit FPU (optimized for Athlon, Pentium III and newer)\n";
constexpr const char* kIdctPrompt = "please choose the IDCT to use: ";

bool ToConfigText(const std::string& text, std::string& out) {
  out = text;
  return platform::ToProgramCodePage(out);
}

// A path that starts with a drive letter ("D:...") names the program's directory up to its
// last backslash; anything else (a bare name, a relative or network path) says nothing usable.
bool StartsWithDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

std::string DirectoryOf(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

// The menu keys do not follow the order of the switches: the standard IDCT comes first.
const char* IdctSwitchFor(char key) {
  switch (key) {
    case '1':
      return "-r2";
    case '2':
      return "-r1";
    default:
      return "-r7";
  }
}

int Run(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
        const ShortForms& short_forms) {
  // Asked before anything else: an answer that cannot be kept is not asked for. The file the
  // user had stays as it is until the new values are complete.
  ConfigWriter config(files);

  interpreter.ClearScreen();
  console.Write(kBanner);
  if (config.failure()) return Fail(console, WriteFailureMessage(*config.failure()));

  // A worked-out directory that the batch file cannot carry as it is goes in by its short form,
  // which names the same folder; the wizard also reads config.cfg word by word.
  std::string install_dir;
  bool known = false;
  if (StartsWithDrive(program_path)) {
    FolderName name = NameFolder(DirectoryOf(program_path), ToConfigText, short_forms, &console);
    known = name.found;
    if (known) {
      install_dir = std::move(name.text);
    } else {
      console.Write(kUnusableFolder + name.why_not + ".\n");
    }
  }
  if (!known) {
    console.Write(kPathQuestion);
    install_dir = platform::TypedPath(console.ReadToken());
  }

  const char key = KeyMenu(console, {kIdctTable, kIdctPrompt}, KeySet::Range('1', '3'));
  if (const std::optional<WriteFailure> failure = config.Write(install_dir, IdctSwitchFor(key))) {
    return Fail(console, WriteFailureMessage(*failure));
  }
  return 0;
}

}  // namespace

int RunSetup(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
             const ShortForms& short_forms) {
  // A run broken off keeps the config.cfg it found.
  return RunToTheEnd([&] { return Run(console, interpreter, files, program_path, short_forms); });
}

}  // namespace kelvarro
