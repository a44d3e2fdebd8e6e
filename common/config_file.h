#pragma once

// config.cfg, the one file that joins the two programs: the install directory, one line end,
// the decoder's IDCT switch, and nothing after it.

#include <memory>
#include <optional>
#include <string>

#include "file_system.h"

namespace kelvarro {

inline constexpr const char* kConfigFileName = "config.cfg";

// The longest IDCT switch the wizard keeps ("-r1", "-r2", "-r7").
inline constexpr std::size_t kIdctSwitchCapacity = 3;

struct WizardConfig {
  std::string install_dir;  // first token of the file, as it stands; may be empty
  std::string idct_switch;  // second token, at most three characters; may be empty
};

// Reads config.cfg from the current directory. std::nullopt when the file cannot be opened,
// or its first token does not fit in memory; any other content, even none, yields a record. Only the first two tokens
// are read; a longer second token keeps its first three characters.
std::optional<WizardConfig> ReadConfig(FileSystem& files);

// Creates config.cfg, or empties it, as soon as it is constructed, so that a run abandoned
// before Write leaves an empty file behind. Write puts out both values and closes the file.
// Nothing is verified and nothing reported.
class ConfigWriter {
 public:
  explicit ConfigWriter(FileSystem& files);
  void Write(const std::string& install_dir, const std::string& idct_switch);

 private:
  std::unique_ptr<OutputFile> file_;
};

}  // namespace kelvarro
