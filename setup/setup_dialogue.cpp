#include "setup/setup_dialogue.h"

#include <new>

#include "common/byte_reader.h"
#include "common/config_file.h"
#include "common/prompts.h"

namespace kelvarro {
namespace {

constexpr const char* kBanner = "kelvarro 0.7.31 setup\n\n";

constexpr const char* kPathQuestion =
    "sorry, but i can't auto-config your path. please enter the path where you\n"
    "extracted the files (eg. d:\\divxstuff\\kelvarro0.7.1\\):\n";

constexpr const char* kBlankNotice = "the install directory must not contain blanks.\n";

constexpr const char* kIdctTable =
    "\n[1]\t16-bit MMX Chen iDCT (standard)\n[2]\t32-bit MMX iDCT\n"
    "[3]\t64-bit FPU (optimized for Athlon, Pentium III and newer)\n";
constexpr const char* kIdctPrompt = "please choose the IDCT to use: ";

// A path that starts with a drive letter ("D:...") names the program's directory up to its
// last backslash; anything else (a bare name, a relative or network path) says nothing usable.
bool StartsWithDrive(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }

std::string DirectoryOf(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

// Anything the wizard's reading of config.cfg would cut the directory at.
bool HoldsBlank(const std::string& path) {
  for (const char c : path) {
    if (IsWhiteSpace(static_cast<unsigned char>(c))) return true;
  }
  return false;
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
        const ShortPathLookup& short_path_of) {
  // Opened before anything else, so that an abandoned run leaves an empty config.cfg rather
  // than a stale one from an earlier install.
  ConfigWriter config(files);

  ClearScreen(interpreter);
  console.Write(kBanner);

  // A worked-out directory with a blank goes in by its short form, which names the same folder.
  std::string install_dir;
  bool known = StartsWithDrive(program_path);
  if (known) {
    install_dir = DirectoryOf(program_path);
    if (HoldsBlank(install_dir)) {
      install_dir = short_path_of(install_dir);
      known = !install_dir.empty() && !HoldsBlank(install_dir);
      if (!known) console.Write(kBlankNotice);
    }
  }
  if (!known) {
    console.Write(kPathQuestion);
    install_dir = ReadToken(console);
  }

  const char key = KeyMenu(console, {kIdctTable, kIdctPrompt}, KeySet::Range('1', '3'));
  config.Write(install_dir, IdctSwitchFor(key));
  return 0;
}

}  // namespace

int RunSetup(Console& console, CommandInterpreter& interpreter, FileSystem& files, const std::string& program_path,
             const ShortPathLookup& short_path_of) {
  try {
    return Run(console, interpreter, files, program_path, short_path_of);
  } catch (const EndOfInput&) {
    return 1;
  } catch (const std::bad_alloc&) {
    // Memory ran out (a typed path too long to hold): the run ends as at a closed input,
    // silently, and config.cfg keeps what was written into it, which until the end is nothing.
    return 1;
  }
}

}  // namespace kelvarro
