#pragma once

// The code page the programs hold text in, which is the one they get their paths in and write
// config.cfg, the VOB list and the job script in, beside UTF-8, in which every folder can be
// named. One implementation per platform (platform_text_posix.cpp, platform_text_windows.cpp),
// chosen by the build.
//
// On Windows that code page is the ANSI one. Elsewhere the files are read by Windows programs
// under Wine, whose code page is not the system's UTF-8, so the programs keep to plain ASCII,
// which every code page holds alike.

#include <string>
#include <string_view>

namespace kelvarro::platform {

// Plain ASCII: the same bytes in every code page and in UTF-8.
inline bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Rewrites UTF-8 `text` into the programs' code page. False when that lacks one of its
// characters (nothing is replaced by a look-alike, which would name another folder); `text` is
// then of no use.
bool ToProgramCodePage(std::string& text);

// Rewrites `text` from the programs' code page into UTF-8. False when it is not valid there.
bool FromProgramCodePage(std::string& text);

}  // namespace kelvarro::platform
