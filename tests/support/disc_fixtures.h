#pragma once

// The title VOBs of tests/fixtures/disc, made by independent encoders, as bytes.

#include <fstream>
#include <sstream>
#include <string>

namespace kelvarro::testing {

inline std::string DiscFixture(const std::string& name) {
  std::ifstream in(KELVARRO_DISC_FIXTURES + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace kelvarro::testing
