#pragma once

// Text as the command interpreter must see it in a batch file. The interpreter gives `&`
// (run another command), `^` (take the next character literally) and `%` (a variable) a
// meaning of their own, and all three are legal in Windows folder names. Written as `^&`,
// `^^` and `%%` they stand for themselves again. It reads the file in a code page of its own
// (batch_code_page.h), and cuts an unquoted command at white space and at ; , = ( ).

#include <string>

#include "common/platform_paths.h"

namespace kelvarro {

// Escapes `^ & %` in UTF-8 text, where no byte of a letter beyond ASCII can be taken for one
// of them (as the second byte of a double-byte letter in an ANSI code page can).
std::string EscapeForInterpreter(const std::string& text);

// A folder, held in the programs' code page, as a batch file must name it: escaped, in the
// interpreter's code page. Where the interpreter would cut it, or one of its characters has no
// equivalent there, its short form, treated alike (folder_name.h); where that fails too, as
// near to that as can be had: escaped and converted if possible, else escaped as it stands,
// which is what the interpreter got before anything was converted.
std::string InterpreterPath(const std::string& dir, const ShortForms& short_forms);

// Any other value: escaped, in the interpreter's code page where it has an equivalent for
// every character, else escaped as it stands.
std::string InterpreterValue(const std::string& value);

}  // namespace kelvarro
