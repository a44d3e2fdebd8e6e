#pragma once

// The listing of the Windows command interpreter's "dir input\*.vob", for platforms that have
// no such interpreter; not built for Windows. What the wizard's scan relies on is kept: a
// header of more than 50 characters that names no file, then every name as a word of its own,
// spelled as on disk, in dir's order.

#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"

namespace kelvarro {

// The order of dir on NTFS, which the decoder later joins the files in: names compared
// upper-cased, code unit by code unit, so "VTS01234" < "vtsa1234" < "VTS_01_1" < "VTS~1234".
// Names equal upper-cased (which NTFS never holds side by side) fall back to their raw bytes.
// The names are bytes here, where NTFS has UTF-16 code units and a table to upper-case them:
// only ASCII letters are upper-cased, and every other byte compares as an unsigned value, so
// names beyond ASCII get a fixed order, though not always NTFS's own.
bool ListsBefore(std::string_view a, std::string_view b);

// Writes the listing of the VOB files in input into the listing file, one name a line, with
// CR LF line ends (dir_listing_posix.cpp). The reason when it could not be written whole.
std::optional<std::string> WriteVobListing(FileSystem& files);

}  // namespace kelvarro
