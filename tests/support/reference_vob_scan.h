#pragma once

// The VOB scan of a listing done literally, as a reference for the scan: the listing
// folded to characters, one formatted read at a time, and a real seek back to p - 10 at every
// hit. Slow, and obviously right.

#include <cctype>
#include <cstddef>
#include <string>
#include <vector>

namespace kelvarro::testing {

inline std::vector<std::string> LiteralNames(const std::string& raw) {
  std::string text;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw.compare(i, 2, "\r\n") != 0) text.push_back(raw[i]);
  }
  std::size_t pos = 50;
  char current = 'a';
  bool exhausted = false;
  auto read = [&](char letter) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    exhausted = pos >= text.size();
    if (!exhausted) current = text[pos++];
    return !exhausted && std::tolower(static_cast<unsigned char>(current)) == letter;
  };
  std::vector<std::string> names;
  while (!exhausted) {
    read(0);
    const std::size_t p = pos;
    if (std::tolower(static_cast<unsigned char>(current)) != 'v' || !read('o') || !read('b')) continue;
    pos = p - 10;
    std::string name;
    for (int k = 0; k < 12; ++k) {
      read(0);
      if (!exhausted) name.push_back(current);
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace kelvarro::testing
