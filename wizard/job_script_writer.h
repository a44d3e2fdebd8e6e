#pragma once

// The video processor's job script, nandub\multi.vcf: open the decoded video, take the MP3 as
// its sound, fixed audio and video options, save output\output.avi, close. It depends on the
// install directory alone.

#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/write_failure.h"

namespace kelvarro {

// The install directory with every backslash doubled, for the script's string arguments. No
// other character changes, a double quote included. Any length: the result grows as needed.
std::string BuildEscapedInstallDir(const std::string& install_dir);

// Writes the script, replacing any earlier one, and closes it before returning: sixteen lines,
// CR LF behind the first fifteen, nothing behind the last. What failed, when not every byte
// reached the disk.
std::optional<WriteFailure> JobScriptWriter(FileSystem& files, const std::string& escaped_install_dir);

}  // namespace kelvarro
