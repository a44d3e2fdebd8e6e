// The programs' text is in the ANSI code page, in which Windows hands them their paths.

#include <windows.h>

#include <string>

#include "common/platform_text.h"
#include "common/wide_text.h"

namespace kelvarro::platform {
namespace {

bool Convert(UINT from, UINT to, std::string& text) {
  if (IsAscii(text) || from == to) return true;
  std::wstring wide;
  if (!ToWide(from, text, wide)) return false;
  text.clear();
  std::string converted;
  if (!FromWide(to, wide, converted)) return false;
  text = std::move(converted);
  return true;
}

}  // namespace

bool ToProgramCodePage(std::string& text) { return Convert(CP_UTF8, GetACP(), text); }

bool FromProgramCodePage(std::string& text) { return Convert(GetACP(), CP_UTF8, text); }

}  // namespace kelvarro::platform
