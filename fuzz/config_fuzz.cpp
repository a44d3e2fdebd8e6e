// ReadConfig on arbitrary bytes: the record must be the one that formatted reading of the
// whole text gives (the first word cut one character past the longest Windows path, the second
// to three characters), whatever sizes the file's reads come in.

#include <functional>
#include <cstddef>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string>

#include "common/config_file.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/piece_file.h"

namespace kelvarro::fuzz {
namespace {

// The small piece sizes are tried on every input; one larger size, up to 255, is picked by
// the input, so that over a run every size is tried without slowing each input down.
constexpr std::size_t kEveryTimeUpTo = 16;
constexpr std::size_t kLargestPiece = 255;

WizardConfig ReadByStream(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  WizardConfig config;
  in >> config.install_dir >> config.idct_switch;
  if (config.install_dir.size() > kLongestWindowsPath) config.install_dir.resize(kLongestWindowsPath + 1);
  if (config.idct_switch.size() > kIdctSwitchCapacity) config.idct_switch.resize(kIdctSwitchCapacity);
  return config;
}

void CheckRead(std::string_view text, std::string_view sizes, const WizardConfig& expected) {
  PieceFileSystem files(kConfigFileName, text, sizes);
  const std::optional<WizardConfig> read = ReadConfig(files);
  Require(read.has_value(), "an existing config.cfg yields a record");
  Require(read->install_dir == expected.install_dir, "install directory as formatted reading gives it");
  Require(read->idct_switch == expected.idct_switch, "IDCT switch as formatted reading gives it");
}

}  // namespace
}  // namespace kelvarro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvarro;
  using namespace kelvarro::fuzz;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const WizardConfig expected = ReadByStream(text);

  CheckRead(text, "", expected);
  for (std::size_t piece = 1; piece <= kEveryTimeUpTo; ++piece) {
    CheckRead(text, std::string(1, static_cast<char>(piece)), expected);
  }
  const std::size_t picked = kEveryTimeUpTo + 1 + std::hash<std::string>{}(text) % (kLargestPiece - kEveryTimeUpTo);
  CheckRead(text, std::string(1, static_cast<char>(picked)), expected);
  // Irregular pieces: the text's own bytes as the sizes.
  CheckRead(text, text, expected);

  PieceFileSystem elsewhere("other.cfg", text, "");
  Require(!ReadConfig(elsewhere).has_value(), "a missing config.cfg yields no record");
  return 0;
}
