// POSIX file systems know a folder by one name only.

#include "common/platform_paths.h"

namespace kelvarro::platform {

std::string ShortPathOf(const std::string&) { return ""; }

}  // namespace kelvarro::platform
