#pragma once

// config.cfg, the one file that joins the two programs: the install directory, one line end,
// the decoder's IDCT switch, and nothing after it.

#include <optional>
#include <string>

#include "file_system.h"
#include "write_failure.h"

namespace kelvarro {

inline constexpr const char* kConfigFileName = "config.cfg";

// The longest IDCT switch the wizard keeps ("-r1", "-r2", "-r7").
inline constexpr std::size_t kIdctSwitchCapacity = 3;

// The longest path Windows has; an install directory beyond it names no folder.
inline constexpr std::size_t kLongestWindowsPath = 32767;

struct WizardConfig {
  // First token of the file, as it stands; may be empty. One longer than kLongestWindowsPath
  // keeps only its first kLongestWindowsPath + 1 characters, enough to tell it is too long.
  std::string install_dir;
  std::string idct_switch;  // second token, at most three characters; may be empty
};

// Reads config.cfg from the current directory. std::nullopt when the file cannot be opened;
// any other content, even none, yields a record. Only the first two tokens are read; a longer
// second token keeps its first three characters. Memory stays small whatever the file holds.
std::optional<WizardConfig> ReadConfig(FileSystem& files);

// config.cfg as setup writes it. What the user had stays until the new values are complete:
// constructing it only makes sure that the file can be written (a missing one is created and
// removed at once, so that a folder that cannot be written shows before any question), and
// Write replaces the file whole, or leaves it as it was: none where there was none.
class ConfigWriter {
 public:
  explicit ConfigWriter(FileSystem& files);
  // Set when config.cfg cannot be written at all.
  const std::optional<WriteFailure>& failure() const { return failure_; }
  // Puts out both values, the file closed behind them; what failed, if any byte did not reach
  // the disk.
  std::optional<WriteFailure> Write(const std::string& install_dir, const std::string& idct_switch);

 private:
  FileSystem& files_;
  std::optional<WriteFailure> failure_;
};

}  // namespace kelvarro
