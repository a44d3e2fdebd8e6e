#pragma once

// What the wizard learns from input\ before its greeting: which files are the movie, what its
// VOB files and its title set's information file tell, and which files are not the movie.

#include <string>
#include <vector>

#include "common/file_system.h"
#include "wizard/disc_advice.h"

namespace kelvarro {

struct DiscSurvey {
  DiscAdvice advice;
  // Shown behind the greeting: "\n" and one line for each file of input\ that is not the movie
  // or that the list left out; "" for none. Files that hold no program stream are not named.
  std::string not_the_movie;
};

// `names`: the VOB files in movie.lst, in its order. The title set's VTS_nn_0.IFO, or else its
// backup VTS_nn_0.BUP, found in any case, adds the languages where its video is the movie's;
// one whose video standard or aspect is not the movie's is named as another disc's.
DiscSurvey SurveyDisc(FileSystem& files, const std::vector<std::string>& names);

}  // namespace kelvarro
