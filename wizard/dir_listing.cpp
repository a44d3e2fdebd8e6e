#include "wizard/dir_listing.h"

#include <algorithm>

namespace kelvarro {
namespace {

// Only ASCII letters change case: the names are bytes here, and a byte of a longer UTF-8
// sequence stays as it is.
unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

}  // namespace

// One pass over the names: the first difference upper-cased decides; failing that, the shorter
// name; failing that (equal upper-cased), the first raw byte that differs.
bool ListsBefore(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  int raw_order = 0;
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    const unsigned char upper_x = Upper(x);
    const unsigned char upper_y = Upper(y);
    if (upper_x != upper_y) return upper_x < upper_y;
    if (raw_order == 0) raw_order = x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return raw_order < 0;
}

}  // namespace kelvarro
