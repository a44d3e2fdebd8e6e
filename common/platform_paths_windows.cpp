// The short form through the ANSI call, as the path arrives in the ANSI code page. That call
// takes paths up to MAX_PATH only; a longer one has no short form here.

#include <windows.h>

#include <string>

#include "common/platform_paths.h"

namespace kelvarro::platform {

std::string ShortPathOf(const std::string& path) {
  if (path.empty() || path.size() >= MAX_PATH) return "";
  char buffer[MAX_PATH];
  const DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  return std::string(buffer, length);
}

}  // namespace kelvarro::platform
