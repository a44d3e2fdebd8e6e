// "dir input\*.vob > temp\menulst.tmp" where there is no Windows command interpreter: the
// VOB files of input, listed into the listing file.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <iostream>
#include <string>
#include <vector>

#include "wizard/dir_listing.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

// Only ASCII letters change case: the names are bytes here, and a byte of a longer UTF-8
// sequence stays as it is.
unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool IsOneOf(const std::string& reason, std::initializer_list<int> errors) {
  return std::any_of(errors.begin(), errors.end(), [&](int error) { return reason == std::strerror(error); });
}

// What the Windows interpreter says when it cannot set up the redirection, for the causes it
// tells apart; `reason` is the system's.
const char* RedirectionComplaint(const std::string& reason) {
  if (IsOneOf(reason, {EACCES, EPERM, EROFS, EISDIR, ETXTBSY})) return "Access denied.";
  if (IsOneOf(reason, {ENOSPC, EDQUOT})) return "There is not enough space on the disk.";
  return "The system cannot find the path specified.";
}

}  // namespace

// One pass over the names: the first difference upper-cased decides; failing that, the shorter
// name; failing that (equal upper-cased), the first raw byte that differs.
bool ListsBefore(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  int raw_order = 0;
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    const unsigned char upper_x = Upper(x);
    const unsigned char upper_y = Upper(y);
    if (upper_x != upper_y) return upper_x < upper_y;
    if (raw_order == 0) raw_order = x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return raw_order < 0;
}

// Like the Windows interpreter, the redirection is set up first; when it cannot be, nothing
// is listed. What the interpreter says goes to standard error, as there.
std::optional<std::string> WriteVobListing(FileSystem& files) {
  const std::string why_not = files.WriteFile(kListingPath, "");
  if (!why_not.empty()) {
    std::cerr << RedirectionComplaint(why_not) << "\n";
    return why_not;
  }
  std::vector<std::string> names = files.List("input");
  names.erase(
      std::remove_if(names.begin(), names.end(), [](const std::string& name) { return !MatchesVobPattern(name); }),
      names.end());
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ListsBefore(a, b); });
  std::string listing =
      " Volume in drive / has no label.\r\n"
      " Volume Serial Number is 0000-0000\r\n"
      "\r\n"
      " Directory of " +
      CurrentDirectory() +
      "/input\r\n"
      "\r\n";
  for (const std::string& name : names) listing += name + "\r\n";
  std::string failure = files.WriteFile(kListingPath, listing);
  if (names.empty()) std::cerr << "File Not Found\n";
  if (!failure.empty()) return failure;
  return std::nullopt;
}

}  // namespace kelvarro
