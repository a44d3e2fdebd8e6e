#pragma once

// Which VOB files of input\ are not the movie, told one line a file with why and what to do.
// The files are the user's, so movie.lst keeps them all; the wizard only names them. Only
// regular files that begin with an MPEG-2 pack are judged, and of each only its first pack,
// and the last one of a movie part, is read.

#include <string>
#include <vector>

#include "common/file_system.h"
#include "wizard/movie_choice.h"

namespace kelvarro {

struct MovieFiles {
  // Whether the movie's first part begins with an MPEG-2 pack; nothing is judged otherwise.
  bool program_stream = false;
  // The movie's parts up to the first that does not go on from the one before it.
  std::vector<MoviePart> parts;
  // "\n" and one line for each listed VOB file that is not the movie: a menu, a title of
  // another title set, a part whose clock does not go on from the part before it and the parts
  // behind that one. Empty where the movie's first part holds no program stream.
  std::string not_the_movie;
};

// `names`: the VOB files in movie.lst, in its order; `movie` their movie as ChooseMovie gives it.
MovieFiles SortOutMovie(FileSystem& files, const std::vector<std::string>& names, const std::vector<MoviePart>& movie);

// One line each, without line ends, for the VOB files in input\ that hold a program stream and
// that the list left out, since the listing finds only names of eight characters, a dot and
// three; by name.
std::vector<std::string> DroppedNames(FileSystem& files, const std::vector<std::string>& names);

// What the lines of this step end in.
inline constexpr const char* kMoveItOut = ": move it out of input\\ and start the wizard again.";

}  // namespace kelvarro
