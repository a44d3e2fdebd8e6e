#pragma once

// Which name of a folder a batch file line can carry. The command interpreter cuts an unquoted
// command line at white space and at ; , = ( ), and reads the batch file in a code page of its
// own, and the tools read their list and job script in theirs. A folder whose name the
// interpreter would cut, or whose letters such a code page lacks, is named by its short form
// instead, which Windows, and Wine on other systems, keeps for just that: it is plain ASCII and
// names the same folder. The rule is the same for setup and the wizard; what differs is the
// code page of the file being written and where the short form comes from.
//
// Some folders no Windows program can enter at all, by either name: one whose name holds one
// of \ : * ? " < > | (a POSIX folder can), and one whose path is too long for a working
// directory. They are refused outright. A path that fits a working directory but leaves the
// tools no room for their longest file name in it goes in by its short form.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/platform_paths.h"

namespace kelvarro {

// True when the interpreter would cut an unquoted command line inside `name`.
bool SplitsCommandLine(std::string_view name);

// The longest path, in UTF-16 code units with its final backslash, that Windows takes for a
// working directory: MAX_PATH less the terminating null (Wine 8 takes 259 and refuses 260).
inline constexpr std::size_t kLongestWorkingDirectory = 259;
// The longest install directory that a batch file names as it is: the tools must still open
// the longest path in it, temp\movie_1.avistream0x8N.ac3 (30 more), within MAX_PATH.
inline constexpr std::size_t kLongestInBatchFile = kLongestWorkingDirectory - 30;

// Why no Windows program can enter `folder` (UTF-8, named as Windows names it), or "".
std::string WhyWindowsCannotEnter(std::string_view folder);

// Which name of `folder` (UTF-8) a file is to hold. The file's writer works out first whether
// the file's code page holds the folder's own name (`own_name_fits`); the rule then says:
//  - refused, with the reason, for a folder that Windows programs cannot enter;
//  - its own name, where the interpreter takes it whole, it leaves the tools their room and
//    the code page holds it;
//  - else its short form, which the writer looks up (ShortForms::Of) and hands to
//    ShortFolderName.
struct FolderChoice {
  enum class Name { kRefused, kOwn, kShort };
  Name name = Name::kRefused;
  std::string why_not;  // when refused
};
FolderChoice ChooseFolderName(std::string_view folder, bool own_name_fits);

struct FolderName {
  bool found = false;
  std::string text;     // when found: the short form, UTF-8, for the writer to put in its file
  std::string why_not;  // when not: why, as the lookup said
};

// The short form as a file may hold it: none where the lookup found none, nor where it is no
// name the interpreter takes whole (where the volume keeps no 8.3 names the lookup hands the
// long form back).
FolderName ShortFolderName(const ShortForm& short_form);

}  // namespace kelvarro
