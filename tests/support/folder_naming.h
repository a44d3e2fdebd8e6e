#pragma once

// Folder naming for the dialogues under test, independent of the platform the tests run on:
// config.cfg in plain ASCII, typed paths kept as typed, and no short forms unless a test gives
// its own lookup.

#include <string>

#include "common/folder_name.h"
#include "common/platform_text.h"
#include "setup/setup_dialogue.h"

namespace kelvarro::testing {

inline const std::string kNoShortFormReason = "there is none here";

inline ShortForm NoShortForm(const std::string&) { return ShortForm{"", kNoShortFormReason}; }

inline bool AsciiOnly(const std::string& text, std::string& out) {
  out = text;
  return platform::IsAscii(text);
}

inline FolderNaming TestNaming(ShortPathLookup short_path_of = NoShortForm) {
  return FolderNaming{std::move(short_path_of), AsciiOnly, [](const std::string& typed) { return typed; }, ""};
}

}  // namespace kelvarro::testing
