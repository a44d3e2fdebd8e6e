#pragma once

// VOB discovery: the command interpreter's "dir" lists input\*.vob into temp\menulst.tmp, and
// the listing is scanned for the letters v, o, b to find the file names, which go one per line
// into input\movie.lst for the MPEG-2 decoder.

#include <cstddef>
#include <string>

#include "common/file_system.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// Scans a whole listing and writes one line per hit to `list`: install_dir, "input\\", the
// 12-character name, CR LF. Returns the number of hits. Streams: memory stays the same
// however long the listing is.
std::size_t ScanVobListing(InputFile& listing, const std::string& install_dir, OutputFile& list);

// The whole discovery step. Returns none_found: true when no line was written. A listing that
// cannot be opened counts as nothing found.
bool VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir);

}  // namespace kelvarro
