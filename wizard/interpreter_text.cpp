#include "wizard/interpreter_text.h"

#include "common/folder_name.h"
#include "common/platform_text.h"
#include "wizard/batch_code_page.h"

namespace kelvarro {
namespace {

bool ToBatchText(const std::string& text, std::string& out) {
  out = EscapeForInterpreter(text);
  return ToBatchCodePage(out);
}

}  // namespace

std::string EscapeForInterpreter(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '^' || c == '&') escaped.push_back('^');
    if (c == '%') escaped.push_back('%');
    escaped.push_back(c);
  }
  return escaped;
}

std::string InterpreterPath(const std::string& dir, const ShortForms& short_forms) {
  // ASCII is the same in every code page: the usual directory is not copied for nothing.
  const bool ascii = platform::IsAscii(dir);
  std::string converted;
  if (!ascii) {
    converted = dir;
    if (!platform::FromProgramCodePage(converted)) return EscapeForInterpreter(dir);
  }
  const std::string& utf8 = ascii ? dir : converted;
  std::string text;
  const bool own_name_fits = ToBatchText(utf8, text);
  const FolderChoice choice = ChooseFolderName(utf8, own_name_fits);
  if (choice.name == FolderChoice::Name::kOwn) return text;
  if (choice.name == FolderChoice::Name::kShort) {
    const FolderName name = ShortFolderName(short_forms.Of(utf8));
    std::string short_text;
    if (name.found && ToBatchText(name.text, short_text)) return short_text;
  }
  if (own_name_fits) return text;
  return EscapeForInterpreter(dir);
}

std::string InterpreterValue(const std::string& value) {
  std::string utf8 = value;
  std::string text;
  if (platform::FromProgramCodePage(utf8) && ToBatchText(utf8, text)) return text;
  return EscapeForInterpreter(value);
}

}  // namespace kelvarro
