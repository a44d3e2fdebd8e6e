#include "wizard/movie_reader.h"

#include <algorithm>

#include "wizard/program_stream.h"

namespace kelvarro {
namespace {

// One read of the file seam, as large as cat reads: the packets are walked while the piece is
// still in the cache.
constexpr std::size_t kPieceBytes = std::size_t{128} << 10;
constexpr std::uint64_t kPackBytes = 2048;

// Reads spans of files and walks their packets, with one buffer for all of them, kept at its
// size: a fresh one for each piece would cost a page fault every 4 KiB and zeroing it.
class SpanReader {
 public:
  explicit SpanReader(FileSystem& files) : files_(files) {}

  // Reads [offset, offset + length) of `path` and walks its packets; a unit cut off between two
  // pieces is walked with the next one. Gives the bytes read.
  std::uint64_t Read(const std::string& path, std::uint64_t offset, std::uint64_t length, const PacketFound& found) {
    held_.clear();
    std::uint64_t read = 0;
    while (read < length) {
      const std::size_t asked = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceBytes, length - read));
      if (!files_.ReadPart(path, offset + read, asked, piece_).empty() || piece_.empty()) break;
      const std::size_t got = piece_.size();
      read += got;
      if (held_.empty()) {
        held_.assign(piece_, WalkPackets(piece_, found), std::string::npos);
      } else {
        held_ += piece_;
        held_.erase(0, WalkPackets(held_, found));
      }
      if (got < asked) break;
    }
    return read;
  }

 private:
  FileSystem& files_;
  std::string held_;
  std::string piece_;
};

// Where the probes start, in bytes from the title's start: behind the first read, spread so
// that the last ends with the title; when the rest is short, one behind the other.
std::vector<std::uint64_t> ProbeStarts(std::uint64_t first_read, std::uint64_t title) {
  std::vector<std::uint64_t> starts;
  const std::uint64_t rest = title - first_read;
  for (std::uint64_t k = 1; k <= kProbes; ++k) {
    const std::uint64_t start = rest <= kProbes * kProbeBytes
                                    ? first_read + (k - 1) * kProbeBytes
                                    : first_read + (rest / kProbes * k - kProbeBytes) / kPackBytes * kPackBytes;
    if (start < title) starts.push_back(start);
  }
  return starts;
}

}  // namespace

DiscFacts ReadMovie(FileSystem& files, const std::vector<MoviePart>& movie, const FoundEnough& enough) {
  DiscFacts facts;
  // An empty file, as the made-up ones are, holds no program stream: it is not opened.
  if (movie.empty() || movie[0].size < kPackBytes) return facts;
  std::string first;
  if (!files.ReadPart(movie[0].path, 0, kPackBytes, first).empty() || !StartsWithMpeg2Pack(first)) return facts;
  facts.read = true;

  VideoScan video;
  AudioScan audio;
  const auto both = [&](std::uint8_t id, std::string_view payload) {
    if (id == kVideoStream) {
      video.Feed(payload);
    } else {
      audio.Feed(payload);
    }
  };
  const auto sound = [&](std::uint8_t id, std::string_view payload) {
    if (id == kPrivateStream1) audio.Feed(payload);
  };
  SpanReader spans(files);
  facts.bytes_read = spans.Read(movie[0].path, 0, std::min(movie[0].size, kStartBytes), both);

  std::uint64_t title = 0;
  for (const MoviePart& part : movie) title += part.size;
  facts.video = video.facts();
  facts.audio = audio.streams();
  facts.whole = facts.bytes_read == title;
  if (facts.whole || (enough && enough(facts))) return facts;
  for (std::uint64_t start : ProbeStarts(std::min(movie[0].size, kStartBytes), title)) {
    // A probe that meets the end of a part goes on at the start of the next.
    std::size_t i = 0;
    while (start >= movie[i].size) start -= movie[i++].size;
    for (std::uint64_t left = kProbeBytes; left > 0 && i < movie.size(); ++i, start = 0) {
      const std::uint64_t length = std::min(left, movie[i].size - start);
      facts.bytes_read += spans.Read(movie[i].path, start, length, sound);
      left -= length;
    }
  }
  facts.video = video.facts();
  facts.audio = audio.streams();
  facts.whole = facts.bytes_read == title;
  return facts;
}

}  // namespace kelvarro
