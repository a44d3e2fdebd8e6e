#include "wizard/interpreter_text.h"

namespace kelvarro {

std::string EscapeForInterpreter(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    if (c == '^' || c == '&') escaped.push_back('^');
    if (c == '%') escaped.push_back('%');
    escaped.push_back(c);
  }
  return escaped;
}

}  // namespace kelvarro
