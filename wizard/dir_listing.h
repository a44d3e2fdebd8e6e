#pragma once

// A directory listing in the style of the Windows command interpreter's "dir", for platforms
// that have no such interpreter; not built for Windows. The wizard scans it for VOB names, so
// it keeps dir's shape: a header of more than 50 characters that names no file, then one line
// per file, every name spelled as on disk, then a summary.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace kelvarro {

struct DirEntry {
  std::string name;
  std::uint64_t size = 0;
  std::tm modified{};
  bool is_directory = false;
};

// The listing reaches its file in blocks of at most this many bytes, so that memory does not
// grow with the listing.
inline constexpr std::size_t kListingBlockSize = std::size_t{64} * 1024;

// True when `name` matches the pattern "*.vob" without regard to case.
bool MatchesVobPattern(std::string_view name);

// The order of dir on NTFS, which the decoder later joins the files in: names compared
// upper-cased, code unit by code unit, so "VTS01234" < "vtsa1234" < "VTS_01_1" < "VTS~1234".
// Names equal upper-cased (which NTFS never holds side by side) fall back to their raw bytes.
// The names are bytes here, where NTFS has UTF-16 code units and a table to upper-case them:
// only ASCII letters are upper-cased, and every other byte compares as an unsigned value, so
// names beyond ASCII get a fixed order, though not always NTFS's own.
bool ListsBefore(std::string_view a, std::string_view b);

// Writes the whole listing of `entries` (sorted here, by ListsBefore) for the directory shown
// as `directory`, with CR LF line ends, in blocks of at most kListingBlockSize bytes. With no
// entries it holds the header alone.
void WriteDirListing(const std::string& directory, std::vector<DirEntry> entries, OutputFile& out);

// The same listing as one string.
std::string FormatDirListing(const std::string& directory, std::vector<DirEntry> entries);

// Writes the listing of the VOB files in input into the listing file (vob_listing_posix.cpp).
// The reason when it could not be written whole.
std::optional<std::string> WriteVobListing();

}  // namespace kelvarro
