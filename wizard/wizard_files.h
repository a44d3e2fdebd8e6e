#pragma once

// The files of one wizard run, named relative to the install directory, the current
// directory of the run.

#include <string_view>

namespace kelvarro {

// Where the user puts the movie's VOB files; each is named by this and its name.
inline constexpr std::string_view kInputFolder = "input\\";
// The command interpreter's listing of input\*.vob; scanned, then left in place.
inline constexpr const char* kListingPath = "temp\\menulst.tmp";
// The VOB files found, one full path a line, for the MPEG-2 decoder.
inline constexpr const char* kMovieListPath = "input\\movie.lst";
// The video processor's job script.
inline constexpr const char* kJobScriptPath = "nandub\\multi.vcf";
// Held by the wizard that works in the folder, so that a second one writes nothing there; on
// POSIX it may stay behind, empty.
inline constexpr const char* kLockPath = "temp\\wizard.lck";
// The four command lines of the conversion.
inline constexpr const char* kBatchFilePath = "process.bat";

// Whether `name` matches the pattern "*.vob" of the listing, without regard to case.
inline bool MatchesVobPattern(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  const auto is = [](char c, char lower) { return c == lower || c == lower - 'a' + 'A'; };
  return ext[0] == '.' && is(ext[1], 'v') && is(ext[2], 'o') && is(ext[3], 'b');
}

}  // namespace kelvarro
