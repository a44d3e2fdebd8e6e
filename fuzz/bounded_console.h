#pragma once

// A scripted console that pays for every wait on the input out of a fixed budget, and traps
// when the budget is spent. Each key read takes a character or ends the input, and a failed
// number read fails all later ones at once, so a dialogue that is not stuck can never need
// more waits than a small multiple of its input's length.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "support/scripted_console.h"

namespace kelvarro::fuzz {

class BoundedConsole : public testing::ScriptedConsole {
 public:
  explicit BoundedConsole(const std::string& input) : ScriptedConsole(input), waits_left_(4 * input.size() + 64) {}

  char ReadKey(bool echo) override {
    Pay();
    return ScriptedConsole::ReadKey(echo);
  }
  void ReadInt(std::int32_t& value) override {
    Pay();
    ScriptedConsole::ReadInt(value);
  }
  std::string ReadToken() override {
    Pay();
    return ScriptedConsole::ReadToken();
  }

 private:
  void Pay() {
    if (waits_left_ > 0) {
      --waits_left_;
      return;
    }
    std::fputs("the dialogue waited on its input more often than the input can account for\n", stderr);
    __builtin_trap();
  }
  std::size_t waits_left_;
};

}  // namespace kelvarro::fuzz
