#include "config_file.h"

#include <utility>

#include "white_space.h"

namespace kelvarro {

std::optional<WizardConfig> ReadConfig(FileSystem& files) {
  const std::unique_ptr<InputFile> file = files.OpenForReading(kConfigFileName);
  if (!file) return std::nullopt;
  WizardConfig config;
  std::string* const tokens[] = {&config.install_dir, &config.idct_switch};
  const std::size_t limits[] = {kLongestWindowsPath + 1, kIdctSwitchCapacity};
  std::size_t token = 0;
  bool in_token = false;
  char block[4096];
  while (token < 2) {
    const std::size_t got = file->Read(block, sizeof block);
    if (got == 0) break;
    for (std::size_t i = 0; i < got && token < 2; ++i) {
      if (IsWhiteSpace(block[i])) {
        if (in_token) ++token;
        in_token = false;
        continue;
      }
      in_token = true;
      if (tokens[token]->size() < limits[token]) tokens[token]->push_back(block[i]);
    }
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
