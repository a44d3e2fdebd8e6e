// The VOB scan against the literal reference scan: for any listing, read in any pieces, the
// same names in the same order.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/piece_file.h"
#include "support/reference_vob_scan.h"
#include "wizard/vob_lister.h"

namespace {

// The input: one byte for the number of piece sizes, those sizes, then the listing.
struct ScanInput {
  std::string_view sizes;
  std::string_view listing;
};

ScanInput Split(std::string_view data) {
  if (data.empty()) return {};
  const std::size_t count = std::min<std::size_t>(static_cast<unsigned char>(data[0]) % 8, data.size() - 1);
  return {data.substr(1, count), data.substr(1 + count)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvarro;
  using kelvarro::fuzz::Require;
  const ScanInput input = Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::vector<std::string> expected = testing::LiteralNames(std::string(input.listing));

  fuzz::PieceFile listing(input.listing, input.sizes);
  std::vector<std::string> names;
  const ListingScan scan = ScanVobListing(listing, [&](const std::string& name) { names.push_back(name); });
  Require(scan.hits == expected.size(), "as many hits as the literal scan");
  Require(names == expected, "the literal scan's names, in order");
  return 0;
}
