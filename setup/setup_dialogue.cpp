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

// Every path of the batch file is the folder followed by progs\..., so a typed folder gets the
// final backslash it lacks; a final slash becomes it.
std::string WithFinalBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  if (folder.empty() || folder.back() != '\\') folder.push_back('\\');
  return folder;
}

// The folder as config.cfg is to hold it (folder_name.h): by its short form, which names the
// same folder, where the batch file cannot carry it as it is; the wizard also reads config.cfg
// word by word. Where there is none, setup says why in one line.
// The lookup may take a while, so its note is shown just before it.
std::optional<std::string> Named(Console& console, const std::string& folder, const ShortForms& short_forms) {
  std::string text;
  const FolderChoice choice = ChooseFolderName(folder, ToConfigText(folder, text));
  if (choice.name == FolderChoice::Name::kOwn) return text;
  std::string why_not = choice.why_not;
  if (choice.name == FolderChoice::Name::kShort) {
    console.Write(short_forms.WaitNote());
    const FolderName name = ShortFolderName(short_forms.Of(folder));
    if (name.found && ToConfigText(name.text, text)) return text;
    why_not = name.found ? "it has no short form that a batch file can take" : name.why_not;
  }
  console.Write(kUnusableFolder + why_not + ".\n");
  return std::nullopt;
}

int Run(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
        const ShortForms& short_forms) {
  // Asked before anything else: an answer that cannot be kept is not asked for. The file the
  // user had stays as it is until the new values are complete.
  ConfigWriter config(files);

  interpreter.ClearScreen();
  console.Write(kBanner);
  if (config.failure()) return Fail(console, WriteFailureMessage(*config.failure()));

  std::optional<std::string> install_dir;
  if (StartsWithDrive(program_path)) install_dir = Named(console, DirectoryOf(program_path), short_forms);
  while (!install_dir) {
    console.Write(kPathQuestion);
    install_dir = Named(console, WithFinalBackslash(platform::TypedPath(console.ReadToken())), short_forms);
  }

  const char key = KeyMenu(console, {kIdctTable, kIdctPrompt}, KeySet::Range('1', '3'));
  if (const std::optional<WriteFailure> failure = config.Write(*install_dir, IdctSwitchFor(key))) {
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
