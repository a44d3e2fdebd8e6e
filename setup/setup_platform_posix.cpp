// Wine shows the root of the POSIX file system to Windows programs as drive Z:.

#include <cstdlib>
#include <string>

#include "common/platform_paths.h"
#include "setup/setup_platform.h"

namespace kelvarro::platform {

std::string ProgramPath(int argc, char** argv) {
  if (argc < 1 || argv[0] == nullptr) return "";
  std::string path = argv[0];
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return path;
  const std::string dir = slash == 0 ? "/" : path.substr(0, slash);
  char* const real = realpath(dir.c_str(), nullptr);
  // A folder that cannot be resolved says nothing usable: setup then asks.
  if (real == nullptr) return "";
  std::string folder = real;
  std::free(real);
  if (folder.back() != '/') folder.push_back('/');
  return WindowsName(folder + path.substr(slash + 1));
}

// A typed backslash is meant as the separator it is in every Windows path.
std::string TypedPath(const std::string& typed) {
  if (typed.empty() || typed[0] != '/') return typed;
  std::string name = "Z:" + typed;
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

}  // namespace kelvarro::platform
