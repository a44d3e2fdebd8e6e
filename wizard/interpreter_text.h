#pragma once

// Text as the command interpreter must see it in a batch file. The interpreter gives `&`
// (run another command), `^` (take the next character literally) and `%` (a variable) a
// meaning of their own, and all three are legal in Windows folder names. Written as `^&`,
// `^^` and `%%` they stand for themselves again. And it reads the file in a code page of its
// own (batch_code_page.h).

#include <string>

namespace kelvarro {

std::string EscapeForInterpreter(const std::string& text);

// A folder as a batch file must name it: escaped, in the interpreter's code page. When one of
// its characters has no equivalent there, the folder's short form, treated alike; when that
// fails too, escaped as it stands, which is what the interpreter got before it was converted.
std::string InterpreterPath(const std::string& dir);

// Any other value: escaped, in the interpreter's code page where it has an equivalent for
// every character, else escaped as it stands.
std::string InterpreterValue(const std::string& value);

}  // namespace kelvarro
