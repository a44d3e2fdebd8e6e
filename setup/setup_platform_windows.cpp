// Windows hands the program its path in UTF-16 too, which the ANSI argument vector would have
// put question marks into for letters beyond the ANSI code page.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "common/platform_text.h"
#include "common/wide_text.h"
#include "setup/setup_platform.h"

namespace kelvarro::platform {

std::string ProgramPath(int argc, char** argv) {
  std::string path;
  int count = 0;
  LPWSTR* const wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    const bool converted = count > 0 && FromWide(CP_UTF8, wide[0], path);
    LocalFree(wide);
    if (converted) return path;
  }
  path = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  return FromProgramCodePage(path) ? path : "";
}

std::string TypedPath(const std::string& typed) {
  DWORD mode = 0;
  const UINT code_page = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) ? GetConsoleCP() : GetACP();
  std::wstring wide;
  std::string path;
  if (ToWide(code_page, typed, wide) && FromWide(CP_UTF8, wide, path)) return path;
  return typed;
}

}  // namespace kelvarro::platform
