#pragma once

// VOB discovery: the command interpreter's "dir" lists input\*.vob into temp\menulst.tmp, and
// the listing is scanned for the letters v, o, b to find the file names; those of files that
// exist go one per line into input\movie.lst for the MPEG-2 decoder.

#include <cstddef>
#include <functional>
#include <string>

#include "common/file_system.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// Called with each name the scan finds, in the listing's order.
using NameFound = std::function<void(const std::string& name)>;

// Scans a whole listing and hands each hit's name to `found`: twelve characters, fewer where
// the listing ends first. Returns the number of hits. Streams: memory stays the same however
// long the listing is.
std::size_t ScanVobListing(InputFile& listing, const NameFound& found);

// The whole discovery step: of the names found, those under which a regular file stands in
// input\ go into the list, one line each: install_dir, "input\\", the name, CR LF. Returns
// none_found: true when no line was written. A listing that cannot be opened counts as
// nothing found.
bool VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir);

}  // namespace kelvarro
