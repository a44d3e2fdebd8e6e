#include "wizard/vob_lister.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "common/byte_reader.h"

namespace kelvarro {
namespace {

// The listing is read as text: a CR LF pair is one character, and white space between the
// characters is skipped. Positions below count such characters.

// The first characters of the listing are header text and never examined.
constexpr std::size_t kSkippedCharacters = 50;
constexpr std::size_t kNameLength = 12;
// The name is re-read from this many positions before the 'v'.
constexpr std::size_t kPositionsBeforeV = 9;
// Raw bytes kept from earlier blocks, so that the positions before a 'v' at the start of a
// block can still be seen: nine positions are at most eighteen bytes (all CR LF pairs), and
// one more shows whether the earliest LF belongs to a pair.
constexpr std::size_t kHistory = 32;
constexpr std::size_t kBlock = std::size_t{1} << 18;

bool IsO(unsigned char c) { return c == 'o' || c == 'O'; }
bool IsB(unsigned char c) { return c == 'b' || c == 'B'; }

std::size_t Find(const char* buffer, std::size_t from, std::size_t end, char wanted) {
  const void* found = std::memchr(buffer + from, wanted, end - from);
  return found == nullptr ? end : static_cast<std::size_t>(static_cast<const char*>(found) - buffer);
}

// Scans the listing in large blocks. Between candidates it only searches for the next 'v' or
// 'V'; the character-by-character work starts at a 'v'. Because only white space may stand
// between the letters, the twelve characters of a name are the non-white-space characters of
// the ten positions ending at the 'v', then the 'o' and the 'b', then characters further on.
// So the characters before the 'v' are copied when the 'v' is seen, and the listing never has
// to be read twice.
class VobScanner {
 public:
  VobScanner(const std::string& install_dir, OutputFile& list)
      : line_(install_dir + "input\\"), prefix_length_(line_.size()), list_(list) {}

  std::size_t Scan(InputFile& listing) {
    // [kHistory bytes from earlier blocks][the block just read]
    const std::unique_ptr<char[]> buffer(new char[kHistory + kBlock]);
    char* const data = buffer.get();
    std::size_t history = 0;
    for (;;) {
      const std::size_t got = listing.Read(data + kHistory, kBlock);
      if (got == 0) break;
      ScanBlock(data, kHistory - history, kHistory + got);
      const std::size_t keep = std::min(kHistory, history + got);
      std::memmove(data + kHistory - keep, data + kHistory + got - keep, keep);
      history = keep;
    }
    // A listing that ends in the middle of a name still gives its line, with the characters
    // that were there.
    if (state_ == State::kName) WriteLine();
    return hits_;
  }

 private:
  enum class State { kHeader, kSearching, kAfterV, kAfterVo, kName };

  // The block is data[kHistory, end); data[first_valid, kHistory) is what came before it.
  void ScanBlock(const char* data, std::size_t first_valid, std::size_t end) {
    std::size_t i = kHistory;
    if (state_ == State::kHeader) {
      i = SkipHeader(data, i, end);
      if (state_ == State::kHeader) return;
    }
    // Stale for every search position in this block, which are all at least kHistory.
    next_lower_ = 0;
    next_upper_ = 0;
    while (i < end) {
      if (state_ == State::kSearching) {
        const std::size_t v = FindV(data, i, end);
        if (v == end) return;
        // Most attempts end at the very next character (driver, movie); they need no copy
        // of the characters before the 'v'.
        if (v + 2 < end) {
          const auto next = static_cast<unsigned char>(data[v + 1]);
          const auto after = static_cast<unsigned char>(data[v + 2]);
          if (!IsWhiteSpace(next) && !IsO(next)) {
            i = v + 2;
            continue;
          }
          if (IsO(next) && !IsWhiteSpace(after) && !IsB(after)) {
            i = v + 3;
            continue;
          }
        }
        StartName(data, first_valid, v);
        state_ = State::kAfterV;
        i = v + 1;
        continue;
      }
      const auto c = static_cast<unsigned char>(data[i++]);
      if (!IsWhiteSpace(c)) Take(c);
    }
  }

  std::size_t SkipHeader(const char* data, std::size_t i, std::size_t end) {
    for (; i < end; ++i) {
      const bool ends_pair = data[i] == '\n' && previous_was_cr_;
      if (!ends_pair) {
        if (skipped_ == kSkippedCharacters) {
          state_ = State::kSearching;
          return i;
        }
        ++skipped_;
      }
      previous_was_cr_ = data[i] == '\r';
    }
    return i;
  }

  // The next 'v' or 'V' at or behind `from`, or `end`. Each case's last find is remembered,
  // so a rare letter is not searched for again at every occurrence of the other.
  std::size_t FindV(const char* data, std::size_t from, std::size_t end) {
    if (next_lower_ < from) next_lower_ = Find(data, from, end, 'v');
    if (next_upper_ < from) next_upper_ = Find(data, from, end, 'V');
    return std::min(next_lower_, next_upper_);
  }

  // Begins the name with the non-white-space characters of the nine positions before the 'v'
  // at data[v], and the 'v' itself.
  void StartName(const char* data, std::size_t first_valid, std::size_t v) {
    std::array<char, kPositionsBeforeV> before{};
    std::size_t count = 0;
    std::size_t j = v;
    for (std::size_t k = 0; k < kPositionsBeforeV && j > first_valid; ++k) {
      --j;
      if (data[j] == '\n' && j > first_valid && data[j - 1] == '\r') --j;
      if (!IsWhiteSpace(static_cast<unsigned char>(data[j]))) before[count++] = data[j];
    }
    name_size_ = 0;
    while (count > 0) name_[name_size_++] = before[--count];
    name_[name_size_++] = data[v];
  }

  // One character read after a 'v', while looking for the 'o' and 'b' or completing a name.
  // A letter that does not fit is consumed all the same: it never starts a new attempt.
  void Take(unsigned char c) {
    switch (state_) {
      case State::kAfterV:
        state_ = IsO(c) ? State::kAfterVo : State::kSearching;
        break;
      case State::kAfterVo:
        state_ = IsB(c) ? State::kName : State::kSearching;
        break;
      case State::kName:
        break;
      case State::kHeader:
      case State::kSearching:
        return;
    }
    if (state_ == State::kSearching) return;
    name_[name_size_++] = static_cast<char>(c);
    if (state_ == State::kName && name_size_ == kNameLength) {
      WriteLine();
      state_ = State::kSearching;
    }
  }

  void WriteLine() {
    line_.resize(prefix_length_);
    line_.append(name_.data(), name_size_);
    line_.append("\r\n");
    list_.Write(line_);
    ++hits_;
  }

  std::string line_;
  const std::size_t prefix_length_;
  OutputFile& list_;

  State state_ = State::kHeader;
  std::size_t skipped_ = 0;
  bool previous_was_cr_ = false;
  std::size_t next_lower_ = 0;
  std::size_t next_upper_ = 0;
  std::array<char, kNameLength> name_{};
  std::size_t name_size_ = 0;
  std::size_t hits_ = 0;
};

}  // namespace

std::size_t ScanVobListing(InputFile& listing, const std::string& install_dir, OutputFile& list) {
  return VobScanner(install_dir, list).Scan(listing);
}

bool VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir) {
  interpreter.ListVobFiles();
  std::unique_ptr<InputFile> listing = files.OpenForReading(kListingPath);
  // Emptied on every call, so no list of an earlier movie survives.
  std::unique_ptr<OutputFile> list = files.OpenForWriting(kMovieListPath);
  if (listing == nullptr) return true;
  return ScanVobListing(*listing, install_dir, *list) == 0;
}

}  // namespace kelvarro
