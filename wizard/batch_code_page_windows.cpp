// From the ANSI code page through UTF-16 into the interpreter's code page. Windows' interpreter
// reads batch files in the console's output code page; without a console (input and output
// are pipes) that is 0, and the interpreter, which then has none either, reads in the OEM code
// page. Wine's interpreter reads in the OEM code page always, which is the console's unless a
// program or "chcp" changed it.

#include <windows.h>

#include <climits>
#include <string>

#include "wizard/batch_code_page.h"

namespace kelvarro {
namespace {

UINT InterpreterCodePage() {
  const UINT console = GetConsoleOutputCP();
  return console != 0 ? console : GetOEMCP();
}

bool IsAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

bool ToBatchCodePage(std::string& text) {
  const UINT target = InterpreterCodePage();
  if (target == GetACP() || IsAscii(text)) return true;
  if (text.size() > INT_MAX) return false;

  const int size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size == 0) return false;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wide_size);

  // UTF-8 holds every character, and takes neither the flag nor the question about defaults.
  const bool utf8 = target == CP_UTF8;
  BOOL used_default = FALSE;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* const ask_default = utf8 ? nullptr : &used_default;
  const int out_size = WideCharToMultiByte(target, flags, wide.data(), wide_size, nullptr, 0, nullptr, ask_default);
  if (out_size == 0 || used_default) return false;
  // Assigned in place, so that a long directory exists only twice at once: here and as UTF-16.
  text.assign(static_cast<std::size_t>(out_size), '\0');
  return WideCharToMultiByte(target, flags, wide.data(), wide_size, text.data(), out_size, nullptr, ask_default) ==
             out_size &&
         !used_default;
}

}  // namespace kelvarro
