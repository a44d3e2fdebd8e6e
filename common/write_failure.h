#pragma once

// A file that was not written, as both programs tell it: in one line that names the file and
// the system's reason, after which the run ends.

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace kelvarro {

struct WriteFailure {
  std::string file;    // as the program names it ("input\\movie.lst")
  std::string reason;  // in the system's words; empty where nobody said why
};

// "\nuh-oh... i can't write the file input\movie.lst: Permission denied\n\n", the file named as
// the user sees it from the install directory.
std::string WriteFailureMessage(const WriteFailure& failure);

// Writes `contents` into `path`, created or cut to length zero: what failed, if any byte did
// not reach the disk.
std::optional<WriteFailure> WriteWholeFile(FileSystem& files, const std::string& path, std::string_view contents);

// The same for a file whose old bytes must stay until the new ones are complete
// (FileSystem::Replace): on a failure it keeps what it had.
std::optional<WriteFailure> ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view contents);

}  // namespace kelvarro
