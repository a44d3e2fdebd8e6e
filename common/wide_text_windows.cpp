#include <climits>
#include <string>

#include "common/wide_text.h"

namespace kelvarro::platform {

bool ToWide(UINT code_page, const std::string& text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX) return false;
  const int size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size == 0) return false;
  wide.assign(static_cast<std::size_t>(wide_size), L'\0');
  return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wide_size) == wide_size;
}

bool FromWide(UINT code_page, const std::wstring& wide, std::string& text) {
  text.clear();
  if (wide.empty()) return true;
  if (wide.size() > INT_MAX) return false;
  const int size = static_cast<int>(wide.size());
  // UTF-8 holds every character, and takes neither the flag nor the question about defaults.
  const bool utf8 = code_page == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* const ask_default = utf8 ? nullptr : &used_default;
  const int out_size = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, ask_default);
  if (out_size == 0 || used_default) return false;
  text.assign(static_cast<std::size_t>(out_size), '\0');
  return WideCharToMultiByte(code_page, flags, wide.data(), size, text.data(), out_size, nullptr, ask_default) ==
             out_size &&
         !used_default;
}

}  // namespace kelvarro::platform
