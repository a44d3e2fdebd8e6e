#pragma once

// Windows only: text between a code page and UTF-16, the form in which the system names every
// folder. The conversions are exact or fail: a look-alike letter would name another folder.

#include <windows.h>

#include <string>

namespace kelvarro::platform {

// False when `text` is not valid in `code_page`.
bool ToWide(UINT code_page, const std::string& text, std::wstring& wide);

// False when `code_page` lacks one of the characters.
bool FromWide(UINT code_page, const std::wstring& wide, std::string& text);

}  // namespace kelvarro::platform
