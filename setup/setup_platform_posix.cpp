// Wine shows the root of the POSIX file system to Windows programs as drive Z:.

#include <cstdlib>
#include <string>

#include "setup/setup_platform.h"

namespace kelvarro::platform {
namespace {

std::string WineView(const std::string& absolute) {
  std::string view = "Z:" + absolute;
  for (char& c : view) {
    if (c == '/') c = '\\';
  }
  return view;
}

// A backslash inside a POSIX name has no Windows form: Windows would read it as a separator,
// and the path would name another folder. It is written as |, which no Windows name holds
// either, so that the folder rule refuses the folder as it refuses every such name.
std::string WithoutInnerBackslashes(std::string posix) {
  for (char& c : posix) {
    if (c == '\\') c = '|';
  }
  return posix;
}

}  // namespace

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
  return WineView(WithoutInnerBackslashes(folder + path.substr(slash + 1)));
}

std::string TypedPath(const std::string& typed) { return !typed.empty() && typed[0] == '/' ? WineView(typed) : typed; }

}  // namespace kelvarro::platform
