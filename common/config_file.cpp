#include "config_file.h"

#include <new>
#include <utility>

#include "byte_reader.h"

namespace kelvarro {
namespace {

// Skips white space, then collects one token, keeping at most `limit` of its characters.
// Returns the character that ended the token (-1 at the end of the file).
int ReadConfigToken(ByteReader& reader, std::string& token, std::size_t limit) {
  int c = reader.Get();
  while (c >= 0 && IsWhiteSpace(c)) c = reader.Get();
  for (; c >= 0 && !IsWhiteSpace(c); c = reader.Get()) {
    if (token.size() < limit) token.push_back(static_cast<char>(c));
  }
  return c;
}

}  // namespace

std::optional<WizardConfig> ReadConfig(FileSystem& files) {
  // A file too large for memory is as unusable as a missing one, and is reported the same way.
  try {
    const std::unique_ptr<InputFile> file = files.OpenForReading(kConfigFileName);
    if (!file) return std::nullopt;
    ByteReader reader(*file);
    WizardConfig config;
    if (ReadConfigToken(reader, config.install_dir, std::string::npos) >= 0) {
      ReadConfigToken(reader, config.idct_switch, kIdctSwitchCapacity);
    }
    return config;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

ConfigWriter::ConfigWriter(FileSystem& files) : files_(files) {
  std::string reason = files.EnsureWritable(kConfigFileName);
  if (!reason.empty()) failure_ = WriteFailure{kConfigFileName, std::move(reason)};
}

std::optional<WriteFailure> ConfigWriter::Write(const std::string& install_dir, const std::string& idct_switch) {
  return ReplaceWholeFile(files_, kConfigFileName, install_dir + "\r\n" + idct_switch);
}

}  // namespace kelvarro
