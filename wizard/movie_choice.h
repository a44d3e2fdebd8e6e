#pragma once

// Which of the VOB files found hold the movie: the title set whose title VOBs (VTS_nn_1.VOB
// onwards) are the largest in all, its parts in order. Where no name has that form, the first
// VOB file found stands for the movie.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace kelvarro {

struct MoviePart {
  // As the file seam names it: "input\\VTS_01_1.VOB".
  std::string path;
  std::uint64_t size = 0;
};

// What the format's names say of a VOB file, letters in either case: VIDEO_TS.VOB and
// VTS_nn_0.VOB hold menus, VTS_nn_1.VOB to VTS_nn_9.VOB the titles of title set nn.
struct NameOnDisc {
  enum class Kind { kOther, kMenu, kTitle };
  Kind kind = Kind::kOther;
  // The title set's two digits; "" for VIDEO_TS.VOB and other names.
  std::string set;
  // The part's digit, '0' for a title set's menus.
  char part = 0;
};
NameOnDisc ReadName(const std::string& name);

// `names`: the VOB files found in input\, in the listing's order. Only regular files are
// parts; none when there are none.
std::vector<MoviePart> ChooseMovie(FileSystem& files, const std::vector<std::string>& names);

}  // namespace kelvarro
