#pragma once

// What a fuzz target does when a property fails: it says which one and aborts, so that
// libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>

namespace kelvarro::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property failed: %s\n", property);
  std::abort();
}

}  // namespace kelvarro::fuzz
