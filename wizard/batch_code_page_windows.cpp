// From UTF-8 through UTF-16 into the interpreter's code page. Windows' interpreter reads batch
// files in the console's output code page; without a console (input and output are pipes) that
// is 0, and the interpreter, which then has none either, reads in the OEM code page. Wine's
// interpreter reads in the OEM code page always, which is the console's unless a program or
// "chcp" changed it.

#include <windows.h>

#include <string>

#include "common/platform_text.h"
#include "common/wide_text.h"
#include "wizard/batch_code_page.h"

namespace kelvarro {
namespace {

UINT InterpreterCodePage() {
  const UINT console = GetConsoleOutputCP();
  return console != 0 ? console : GetOEMCP();
}

}  // namespace

bool ToBatchCodePage(std::string& text) {
  if (platform::IsAscii(text)) return true;
  std::wstring wide;
  if (!platform::ToWide(CP_UTF8, text, wide)) return false;
  // Assigned in place, so that a long directory exists only twice at once: here and as UTF-16.
  return platform::FromWide(InterpreterCodePage(), wide, text);
}

}  // namespace kelvarro
