#pragma once

// VOB discovery: the command interpreter's "dir" lists input\*.vob into temp\menulst.tmp, and
// the listing is scanned for the letters v, o, b to find the file names; those of files that
// exist go one per line into input\movie.lst for the MPEG-2 decoder.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/write_failure.h"
#include "wizard/wizard_interpreter.h"

namespace kelvarro {

// Called with each name the scan finds, in the listing's order.
using NameFound = std::function<void(const std::string& name)>;

struct ListingScan {
  // Whether the listing holds more than the header text that is never examined: one that does
  // not was cut short, or never written.
  bool past_header = false;
};

// Scans a whole listing, as read from its file, and hands each hit's name to `found`: twelve
// characters, fewer where the listing ends first.
ListingScan ScanVobListing(const std::string& listing, const NameFound& found);

struct VobDiscovery {
  bool none_found = true;
  // The names that went into the list, in its order.
  std::vector<std::string> names;
  // The listing or the list that was not written, which ends the run.
  std::optional<WriteFailure> failure;
};

// The whole discovery step: of the names found, those under which a regular file stands in
// input\ go into the list, one line each: install_dir, "input\\", the name, CR LF. The
// listing is this run's own: an earlier one is removed first, and one that is missing, cut
// short within its header, or that the interpreter could not write, is a failure of the
// listing, as is one that cannot be removed. So is a list that cannot be written whole.
// none_found: true when no line was written.
VobDiscovery VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir);

// The line that follows "no vob files" when they stand one folder down, as a disc's VIDEO_TS
// folder copied whole leaves them; "" when they do not.
std::string VobFolderHint(FileSystem& files);

}  // namespace kelvarro
