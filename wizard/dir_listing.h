#pragma once

// A directory listing in the style of the Windows command interpreter's "dir", for platforms
// that have no such interpreter; not built for Windows. The wizard scans it for VOB names, so it keeps dir's shape: a
// header of more than 50 characters that names no file, then one line per file, every name
// spelled as on disk, then a summary.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace kelvarro {

struct DirEntry {
  std::string name;
  std::uint64_t size = 0;
  std::tm modified{};
  bool is_directory = false;
};

// True when `name` matches the pattern "*.vob" without regard to case.
bool MatchesVobPattern(std::string_view name);

// The whole listing of `entries` (sorted here, without regard to case) for the directory
// shown as `directory`, with CR LF line ends. With no entries it holds the header alone.
std::string FormatDirListing(const std::string& directory, std::vector<DirEntry> entries);

// Writes the listing of the VOB files in input into the listing file (vob_listing_posix.cpp).
void WriteVobListing();

}  // namespace kelvarro
