#pragma once

// Which name of a folder a batch file line can carry. The command interpreter cuts an unquoted
// command line at white space and at ; , = ( ), and reads the batch file in a code page of its
// own, and the tools read their list and job script in theirs. A folder whose name the
// interpreter would cut, or whose letters such a code page lacks, is named by its short form
// instead, which Windows, and Wine on other systems, keeps for just that: it is plain ASCII and
// names the same folder. The rule is the same for setup and the wizard; what differs is the
// code page of the file being written and where the short form comes from.

#include <functional>
#include <string>
#include <string_view>

namespace kelvarro {

// A folder's short form, or why there is none, as the platform's lookup gives it.
struct ShortForm {
  std::string path;     // "" when there is none
  std::string why_not;  // then a clause for the user, e.g. "Wine, which gives its short form, is not installed"
};

// The short form of a folder named in UTF-8, in UTF-8 (platform::ShortPathOf in the programs).
using ShortPathLookup = std::function<ShortForm(const std::string&)>;

// Writes UTF-8 `text` into `out` in the form a file holds it in (a code page, escapes); false
// when that cannot hold it exactly, and `out` is then of no use.
using TextEncoder = std::function<bool(const std::string& text, std::string& out)>;

// True when the interpreter would cut an unquoted command line inside `name`.
bool SplitsCommandLine(std::string_view name);

struct FolderName {
  bool found = false;
  std::string text;     // when found: the name as the file is to hold it
  std::string why_not;  // when not: why, as the short-form lookup said
};

// The name that a file written by `encode` is to hold for `folder` (UTF-8): the folder's own
// where the interpreter takes it whole and `encode` holds it, else its short form under the
// same test. The lookup is asked only when the folder's own name does not do.
FolderName NameFolder(const std::string& folder, const TextEncoder& encode, const ShortPathLookup& short_path_of);

}  // namespace kelvarro
