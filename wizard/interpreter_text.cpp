#include "wizard/interpreter_text.h"

#include "common/platform_paths.h"
#include "wizard/batch_code_page.h"

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

std::string InterpreterPath(const std::string& dir) {
  std::string text = EscapeForInterpreter(dir);
  if (ToBatchCodePage(text)) return text;
  const std::string short_form = platform::ShortPathOf(dir);
  if (!short_form.empty()) {
    text = EscapeForInterpreter(short_form);
    if (ToBatchCodePage(text)) return text;
  }
  return EscapeForInterpreter(dir);
}

std::string InterpreterValue(const std::string& value) {
  std::string text = EscapeForInterpreter(value);
  if (ToBatchCodePage(text)) return text;
  return EscapeForInterpreter(value);
}

}  // namespace kelvarro
