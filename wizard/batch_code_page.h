#pragma once

// The code page the command interpreter reads a batch file in, which need not be the one the
// programs hold their text in: on Windows, paths arrive in the ANSI code page, while the
// interpreter reads batch files in the console's code page, the OEM one unless changed. The
// byte 0xF6, an o with umlaut in ANSI 1252, is a division sign in OEM 437, and a line with it
// names a folder that does not exist. Elsewhere Wine's interpreter reads it in its OEM code
// page, which is not the system's UTF-8. One implementation per platform
// (batch_code_page_posix.cpp, batch_code_page_windows.cpp), chosen by the build.

#include <string>

namespace kelvarro {

// Rewrites UTF-8 `text` into the interpreter's code page. False when some character has no
// exact equivalent there (nothing is replaced by a look-alike, which would name another
// folder); `text` is then of no use. Plain ASCII is left as it is, and is all that goes
// through where Wine runs the batch file.
bool ToBatchCodePage(std::string& text);

}  // namespace kelvarro
