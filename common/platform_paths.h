#pragma once

// The other name the system keeps for a folder: its short 8.3 form. One implementation per
// platform (platform_paths_posix.cpp, platform_paths_windows.cpp), chosen by the build.

#include <chrono>
#include <string>

namespace kelvarro {

// A folder's short form, or why there is none.
struct ShortForm {
  std::string path;     // "" when there is none
  std::string why_not;  // then a clause for the user, e.g. "Wine, which gives its short form, is not installed"
};

// Where the short form of a folder comes from: the platform in the programs, a fake in tests.
class ShortForms {
 public:
  virtual ~ShortForms() = default;
  // The short form of an existing folder or file named in UTF-8 as Windows names it, for
  // example "C:\\PROGRA~1\\kelvarro\\" for "C:\\Program Files\\kelvarro\\", with a trailing
  // backslash kept. Where the volume keeps no 8.3 names, the long form comes back unchanged.
  virtual ShortForm Of(const std::string& path) const = 0;
  // One line for the user before a lookup that may take a while; "" where none does.
  virtual std::string WaitNote() const = 0;
};

}  // namespace kelvarro

namespace kelvarro::platform {

// How long the lookup waits for Wine's answer before it ends winepath and gives the reason:
// a first start in a new prefix takes 10 to 20 s on a two-core machine.
inline constexpr std::chrono::seconds kShortFormBound{60};

// The system's short forms. On Windows from the system, at once; elsewhere from Wine's
// winepath, for the folder as Wine shows it to Windows programs (Z:\\home\\...), waited for
// within `bound`. The wait note is said only where winepath is on the PATH.
class SystemShortForms : public ShortForms {
 public:
  explicit SystemShortForms(std::chrono::milliseconds bound = kShortFormBound) : bound_(bound) {}
  ShortForm Of(const std::string& path) const override;
  std::string WaitNote() const override;

 private:
  std::chrono::milliseconds bound_;
};

// An absolute path of this system in UTF-8 as Windows programs name it: on Windows as it is;
// elsewhere as Wine shows it (/home/ann/k is Z:\\home\\ann\\k), a backslash inside a POSIX name
// written as |, which no Windows name holds, so that the folder rule refuses such a folder.
std::string WindowsName(const std::string& absolute);

// The current directory as Windows programs name it, in UTF-8 and ending in a backslash; ""
// when the system cannot tell it.
std::string WorkingFolder();

// Whether a folder is the current directory, told by what it is, not by its name.
struct FolderMatch {
  enum class Outcome { kSame, kOther, kUnknown };
  Outcome outcome = Outcome::kOther;
  std::string why_unknown;  // when unknown, a clause for the user
};

// Whether `folder` (UTF-8, as Windows programs name it) is the current directory itself, by
// whatever name leads there: a link, a short form, letters in another case where the system
// folds them. A folder that is not there is another one. On Windows the volume's serial number
// and the file index decide; elsewhere Wine is asked where `folder` lies (winepath -u, which
// folds case and answers even for what is not there, within kShortFormBound), and the device
// and inode of that and of the current directory decide. kUnknown when Wine does not answer.
FolderMatch IsWorkingFolder(const std::string& folder);

}  // namespace kelvarro::platform
