#include "wizard/vob_lister.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "common/white_space.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

// The first characters of the listing are header text and never examined.
constexpr std::size_t kSkippedCharacters = 50;
constexpr std::size_t kNameLength = 12;
// A name is re-read from this many positions before the one just behind its 'v'.
constexpr std::size_t kNameStartsBack = 10;

// Positions count characters, a line end as one: a CR LF pair takes one position. These give
// the index `count` positions after or before the one at `at`.
bool IsPair(const std::string& text, std::size_t cr) {
  return cr + 1 < text.size() && text[cr] == '\r' && text[cr + 1] == '\n';
}

std::size_t Forward(const std::string& text, std::size_t at, std::size_t count) {
  for (; count > 0 && at < text.size(); --count) at += IsPair(text, at) ? 2 : 1;
  return at;
}

std::size_t Back(const std::string& text, std::size_t at, std::size_t count) {
  for (; count > 0; --count) at -= at >= 2 && IsPair(text, at - 2) ? 2 : 1;
  return at;
}

bool IsLetter(int c, char lower, char upper) { return c == lower || c == upper; }

// The scan also finds pieces of the listing that name no file: header text where the install
// directory holds the letters (`fD:\DVD-VOBs`), a directory called x.vob, the tail of a name
// longer than twelve characters. The decoder cannot open them, so only a name under which a
// regular file stands in input\ itself (no path separator in it) goes into the list.
bool IsFileInInput(FileSystem& files, const std::string& name) {
  return name.find_first_of("\\/") == std::string::npos && files.IsRegularFile("input\\" + name);
}

}  // namespace

ListingScan ScanVobListing(const std::string& listing, const NameFound& found) {
  std::size_t at = Forward(listing, 0, kSkippedCharacters);
  const ListingScan scan{at < listing.size()};
  // Skips white space and takes the next character; false when the listing holds no more.
  char c = 'a';
  const auto read = [&] {
    while (at < listing.size() && IsWhiteSpace(listing[at])) ++at;
    if (at >= listing.size()) return false;
    c = listing[at++];
    return true;
  };
  for (;;) {
    // Each character read that is not a 'v' fails its attempt at once, and white space is
    // skipped: so the next attempt that can succeed starts at the next 'v'.
    while (at < listing.size() && !IsLetter(listing[at], 'v', 'V')) ++at;
    if (!read()) break;
    // The letters of a failed attempt stay read: none of them starts a new one.
    const std::size_t behind_v = at;
    if (!read() || !IsLetter(c, 'o', 'O') || !read() || !IsLetter(c, 'b', 'B')) continue;
    at = Back(listing, behind_v, kNameStartsBack);
    std::string name;
    while (name.size() < kNameLength && read()) name += c;
    found(name);
  }
  return scan;
}

VobDiscovery VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir) {
  const auto listing_failed = [](std::string reason) {
    return VobDiscovery{true, {}, WriteFailure{kListingPath, std::move(reason)}};
  };
  // A listing of an earlier movie must never pass for this one's.
  std::string reason = files.Remove(kListingPath);
  if (!reason.empty()) return listing_failed(std::move(reason));
  if (std::optional<std::string> why = interpreter.ListVobFiles()) return listing_failed(std::move(*why));

  // A listing that cannot be read holds not even the header.
  std::string listing;
  if (!files.ReadFile(kListingPath, listing).empty()) listing.clear();
  std::string lines;
  std::vector<std::string> names;
  const ListingScan scan = ScanVobListing(listing, [&](const std::string& name) {
    if (!IsFileInInput(files, name)) return;
    lines += install_dir + "input\\" + name + "\r\n";
    names.push_back(name);
  });
  // Emptied on every call, so no list of an earlier movie survives.
  std::optional<WriteFailure> list_failure = WriteWholeFile(files, kMovieListPath, lines);
  if (!scan.past_header) return listing_failed("");
  if (list_failure) return VobDiscovery{true, {}, std::move(list_failure)};
  return VobDiscovery{names.empty(), std::move(names), std::nullopt};
}

std::string VobFolderHint(FileSystem& files) {
  std::vector<std::string> folders = files.List("input");
  std::sort(folders.begin(), folders.end());
  for (const std::string& folder : folders) {
    const std::string path = "input\\" + folder;
    if (files.IsRegularFile(path)) continue;
    for (const std::string& name : files.List(path)) {
      if (MatchesVobPattern(name) && files.IsRegularFile(path + "\\" + name)) {
        return "the vob files seem to be in " + path + "\\: please copy them into input\\ itself!\n\n";
      }
    }
  }
  return "";
}

}  // namespace kelvarro
