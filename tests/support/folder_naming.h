#pragma once

// Short forms for the dialogues under test, independent of the platform the tests run on: none
// unless a test gives its own.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/platform_paths.h"
#include "common/platform_text.h"

namespace kelvarro::testing {

inline const std::string kNoShortFormReason = "there is none here";

inline ShortForm NoneFor(const std::string&) { return ShortForm{"", kNoShortFormReason}; }

// Gives `answer` for every folder (by default none), records each
// folder it is asked for, and has `note` as its wait note.
class FakeShortForms : public ShortForms {
 public:
  using Answer = std::function<ShortForm(const std::string&)>;
  explicit FakeShortForms(Answer answer = NoneFor, std::string note = "")
      : answer_(std::move(answer)), note_(std::move(note)) {}
  ShortForm Of(const std::string& path) const override {
    asked.push_back(path);
    return answer_(path);
  }
  std::string WaitNote() const override { return note_; }

  mutable std::vector<std::string> asked;

 private:
  Answer answer_;
  std::string note_;
};

inline FakeShortForms NoShortForm() { return FakeShortForms(); }

// config.cfg's code page as the POSIX programs have it: plain ASCII.
inline bool AsciiOnly(const std::string& text, std::string& out) {
  out = text;
  return platform::IsAscii(text);
}

}  // namespace kelvarro::testing
