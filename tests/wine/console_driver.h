#pragma once

// What the drivers that type at Wine's console on a pseudo-terminal share: how they fail.

#include <iostream>
#include <string>

#include "support/pty_session.h"

namespace kelvarro::testing {

// Says why on standard error, with the letters on the screen so far, and returns 1.
inline int Fail(const std::string& why, const PtySession& session) {
  std::cerr << "FAIL: " << why << "\n--- screen\n" << ScreenLetters(session.Transcript()) << "\n";
  return 1;
}

}  // namespace kelvarro::testing
