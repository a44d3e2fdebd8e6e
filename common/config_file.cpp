#include "config_file.h"

#include <cstdint>
#include <utility>

#include "white_space.h"

namespace kelvarro {

// The file is read in pieces, so that memory stays small whatever it holds: only what the two
// tokens keep is held beside the piece.
std::optional<WizardConfig> ReadConfig(FileSystem& files) {
  constexpr std::size_t kPiece = 4096;
  WizardConfig config;
  std::string* const tokens[] = {&config.install_dir, &config.idct_switch};
  const std::size_t limits[] = {kLongestWindowsPath + 1, kIdctSwitchCapacity};
  std::size_t token = 0;
  bool in_token = false;
  std::string piece;
  for (std::uint64_t offset = 0; token < 2; offset += piece.size()) {
    // Only a file that cannot be read at all is no config.cfg; a later failure ends it.
    if (!files.ReadPart(kConfigFileName, offset, kPiece, piece).empty()) {
      if (offset == 0) return std::nullopt;
      break;
    }
    const bool last = piece.size() < kPiece;
    for (std::size_t i = 0; i < piece.size() && token < 2; ++i) {
      if (IsWhiteSpace(piece[i])) {
        if (in_token) ++token;
        in_token = false;
        continue;
      }
      in_token = true;
      if (tokens[token]->size() < limits[token]) tokens[token]->push_back(piece[i]);
    }
    if (last) break;
  }
  return config;
}

ConfigWriter::ConfigWriter(FileSystem& files) : files_(files) {
  std::string reason = files.EnsureWritable(kConfigFileName);
  if (!reason.empty()) failure_ = WriteFailure{kConfigFileName, std::move(reason)};
}

std::optional<WriteFailure> ConfigWriter::Write(const std::string& install_dir, const std::string& idct_switch) {
  return ReplaceWholeFile(files_, kConfigFileName, install_dir + "\r\n" + idct_switch);
}

}  // namespace kelvarro
