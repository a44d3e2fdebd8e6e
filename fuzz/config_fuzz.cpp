// ReadConfig on arbitrary bytes: the record must be the one that formatted reading of the
// whole text gives (the first word cut one character past the longest Windows path, the second
// to three characters), wherever the pieces it reads the file in begin and end.

#include <cstddef>
#include <cstdint>
#include <locale>
#include <sstream>
#include <string>

#include "common/config_file.h"
#include "fuzz/fuzz_check.h"
#include "support/memory_file_system.h"

namespace kelvarro::fuzz {
namespace {

// The reader takes the file in pieces of this size: white space put before the text moves the
// pieces' borders through it.
constexpr std::size_t kPiece = 4096;

WizardConfig ReadByStream(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  WizardConfig config;
  in >> config.install_dir >> config.idct_switch;
  if (config.install_dir.size() > kLongestWindowsPath) config.install_dir.resize(kLongestWindowsPath + 1);
  if (config.idct_switch.size() > kIdctSwitchCapacity) config.idct_switch.resize(kIdctSwitchCapacity);
  return config;
}

void CheckRead(const std::string& text, const WizardConfig& expected) {
  testing::MemoryFileSystem files;
  files.files[kConfigFileName] = text;
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

  const std::size_t shifts[] = {0, 1, kPiece - 1, kPiece - text.size() % kPiece, kPiece - text.size() / 2 % kPiece};
  for (const std::size_t shift : shifts) CheckRead(std::string(shift, ' ') + text, expected);

  testing::MemoryFileSystem elsewhere;
  elsewhere.files["other.cfg"] = text;
  Require(!ReadConfig(elsewhere).has_value(), "a missing config.cfg yields no record");
  return 0;
}
