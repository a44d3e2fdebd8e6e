#include "wizard/vob_lister.h"

#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "common/byte_reader.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

// The first characters of the listing are header text and never examined.
constexpr std::size_t kSkippedCharacters = 50;
constexpr std::size_t kNameLength = 12;
// A name is re-read from this many positions before the one just behind its 'v'.
constexpr std::size_t kNameStartsBack = 10;
// How many of the characters last read are remembered: at least a name's length (see VobScan),
// and a power of two, so that finding a character's place in the ring costs no division.
constexpr std::size_t kRemembered = 16;
static_assert(kRemembered >= kNameLength);

// The listing read as text: a CR LF pair is one character. Counts the characters it has
// given, which is the position just behind the last one.
class TextReader {
 public:
  explicit TextReader(InputFile& file) : bytes_(file) {}

  // The next character, or -1 at the end. The LF of a CR LF pair takes no position of its
  // own: it shares its CR's, and both are white space.
  int Get() {
    const int c = bytes_.Get();
    if (c >= 0 && !(c == '\n' && previous_ == '\r')) ++position_;
    previous_ = c;
    return c;
  }

  std::size_t Position() const { return position_; }

 private:
  ByteReader bytes_;
  int previous_ = -1;
  std::size_t position_ = 0;
};

bool IsLetter(int c, char lower, char upper) { return c == lower || c == upper; }

// The scan also finds pieces of the listing that name no file: header text where the install
// directory holds the letters (`fD:\DVD-VOBs`), a directory called x.vob, the tail of a name
// longer than twelve characters. The decoder cannot open them, so only a name under which a
// regular file stands in input\ itself (no path separator in it) goes into the list.
bool IsFileInInput(FileSystem& files, const std::string& name) {
  return name.find_first_of("\\/") == std::string::npos && files.IsRegularFile(".\\input\\" + name);
}

// Reads the characters of the listing one by one, skipping white space, and remembers the
// last ones it read with their positions. At a hit the letters o and b were each the next
// character read, so nothing but white space stands between the 'v' and the 'b': the
// characters from nine positions before the 'v' on are at most the last twelve read, however
// much white space there is. So a hit re-reads them from memory instead of seeking back, and
// memory stays the same however long the listing is.
class VobScan {
 public:
  VobScan(InputFile& listing, const NameFound& found) : text_(listing), found_(found) {}

  ListingScan Run() {
    // Not examined, but a name may reach back into them.
    while (text_.Position() < kSkippedCharacters) {
      const int c = text_.Get();
      if (c < 0) return {};
      if (!IsWhiteSpace(c)) Remember(c);
    }
    ListingScan scan;
    for (;;) {
      // The letters of a failed attempt stay read: none of them starts a new one.
      int c = Read();
      if (c < 0) break;
      const std::size_t behind_v = text_.Position();
      if (!IsLetter(c, 'v', 'V')) continue;
      c = Read();
      if (!IsLetter(c, 'o', 'O')) continue;
      c = Read();
      if (!IsLetter(c, 'b', 'B')) continue;
      GiveName(behind_v - kNameStartsBack);
      ++scan.hits;
    }
    scan.past_header = text_.Position() > kSkippedCharacters;
    return scan;
  }

 private:
  struct Seen {
    char c;
    std::size_t position;
  };

  // Skips white space and takes the next character; -1 at the end.
  int Read() {
    int c = 0;
    do {
      c = text_.Get();
    } while (IsWhiteSpace(c));
    if (c >= 0) Remember(c);
    return c;
  }

  void Remember(int c) {
    recent_[count_ % recent_.size()] = Seen{static_cast<char>(c), text_.Position() - 1};
    ++count_;
  }

  // The twelve characters read from position `start` on: those remembered, then new ones.
  // A listing that ends before the twelfth still gives a name, with what was there.
  void GiveName(std::size_t start) {
    std::string name;
    const std::size_t oldest = count_ < recent_.size() ? 0 : count_ - recent_.size();
    for (std::size_t i = oldest; i < count_; ++i) {
      const Seen& seen = recent_[i % recent_.size()];
      if (seen.position >= start) name += seen.c;
    }
    while (name.size() < kNameLength) {
      const int c = Read();
      if (c < 0) break;
      name += static_cast<char>(c);
    }
    found_(name);
  }

  TextReader text_;
  const NameFound& found_;
  std::array<Seen, kRemembered> recent_{};
  std::size_t count_ = 0;
};

}  // namespace

ListingScan ScanVobListing(InputFile& listing, const NameFound& found) { return VobScan(listing, found).Run(); }

VobDiscovery VobLister(WizardInterpreter& interpreter, FileSystem& files, const std::string& install_dir) {
  const auto listing_failed = [](std::string reason) {
    return VobDiscovery{true, WriteFailure{kListingPath, std::move(reason)}};
  };
  // A listing of an earlier movie must never pass for this one's.
  std::string reason = files.Remove(kListingPath);
  if (!reason.empty()) return listing_failed(std::move(reason));
  if (std::optional<std::string> why = interpreter.ListVobFiles()) return listing_failed(std::move(*why));

  const std::unique_ptr<InputFile> listing = files.OpenForReading(kListingPath);
  // Emptied on every call, so no list of an earlier movie survives.
  const std::unique_ptr<OutputFile> list = files.OpenForWriting(kMovieListPath, reason);
  if (listing == nullptr) return listing_failed("");
  std::size_t written = 0;
  // Read through even when the list cannot be written: a listing cut short failed first.
  const ListingScan scan = ScanVobListing(*listing, [&](const std::string& name) {
    if (list == nullptr || !IsFileInInput(files, name)) return;
    // In pieces, so that no copy of a long install directory is made.
    list->Write(install_dir);
    list->Write("input\\");
    list->Write(name + "\r\n");
    ++written;
  });
  if (list != nullptr) reason = list->Close();
  if (!scan.past_header) return listing_failed("");
  if (!reason.empty()) return VobDiscovery{true, WriteFailure{kMovieListPath, std::move(reason)}};
  return VobDiscovery{written == 0, std::nullopt};
}

}  // namespace kelvarro
