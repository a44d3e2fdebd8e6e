#pragma once

// Reads what the disc tells of the movie from parts of its title VOBs: the first 32 MiB of the
// first one, and up to four probes of 2 MiB spread through the rest of the title, where sound
// streams may start late. A file that cannot be read is passed over in silence.
// The first pack of the first part must be an MPEG-2 pack, or nothing else is read.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "wizard/audio_facts.h"
#include "wizard/movie_choice.h"
#include "wizard/video_facts.h"

namespace kelvarro {

inline constexpr std::uint64_t kStartBytes = std::uint64_t{32} << 20;
inline constexpr std::uint64_t kProbeBytes = std::uint64_t{2} << 20;
inline constexpr std::uint64_t kProbes = 4;

struct DiscFacts {
  // Whether the movie's first title VOB holds an MPEG-2 program stream; nothing else counts
  // without it.
  bool read = false;
  VideoFacts video;
  // By substream id.
  std::map<std::uint8_t, AudioStream> audio;
  // Whether every byte of the title's VOBs was read, so that a stream not met is not there.
  bool whole = false;
  std::uint64_t bytes_read = 0;
};

// Tells, after the first read, whether what it found is all that is wanted, so that the probes
// are left out.
using FoundEnough = std::function<bool(const DiscFacts& found)>;

DiscFacts ReadMovie(FileSystem& files, const std::vector<MoviePart>& movie, const FoundEnough& enough = {});

}  // namespace kelvarro
