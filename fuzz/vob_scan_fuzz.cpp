// The VOB scan against the literal reference scan: for any listing, the same names in the same
// order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "support/reference_vob_scan.h"
#include "wizard/vob_lister.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvarro;
  const std::string listing(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> names;
  ScanVobListing(listing, [&](const std::string& name) { names.push_back(name); });
  fuzz::Require(names == testing::LiteralNames(listing), "the literal scan's names, in order");
  return 0;
}
