#pragma once

// Text as the command interpreter must see it in a batch file. The interpreter gives `&`
// (run another command), `^` (take the next character literally) and `%` (a variable) a
// meaning of their own, and all three are legal in Windows folder names. Written as `^&`,
// `^^` and `%%` they stand for themselves again.

#include <string>

namespace kelvarro {

std::string EscapeForInterpreter(const std::string& text);

}  // namespace kelvarro
