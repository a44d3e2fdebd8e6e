#include "wizard/dir_listing.h"

#include <algorithm>
#include <cstdio>

namespace kelvarro {
namespace {

// Only ASCII letters change case: the names are bytes here, and a byte of a longer UTF-8
// sequence stays as it is.
unsigned char Upper(unsigned char c) { return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c; }
unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Hands the listing on in blocks of at most kListingBlockSize bytes; a piece that would not fit
// starts the next block, so lines stay whole. No piece is longer than a block: a line holds at
// most a file name, and the header a path, both far shorter.
class BlockWriter {
 public:
  explicit BlockWriter(OutputFile& out) : out_(out) { block_.reserve(kListingBlockSize); }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;
  ~BlockWriter() { Flush(); }

  void Append(std::string_view text) {
    if (block_.size() + text.size() > kListingBlockSize) Flush();
    block_.append(text);
  }

 private:
  void Flush() {
    if (!block_.empty()) out_.Write(block_);
    block_.clear();
  }

  OutputFile& out_;
  std::string block_;
};

class StringOutput : public OutputFile {
 public:
  void Write(std::string_view bytes) override { text.append(bytes); }
  std::string Close() override { return {}; }
  std::string text;
};

// 1234567 -> "1,234,567", right-aligned in `width` columns.
void AppendNumber(std::string& out, std::uint64_t value, std::size_t width, bool thousands) {
  char digits[32];
  char* const end = digits + sizeof digits;
  char* first = end;
  int count = 0;
  do {
    if (thousands && count > 0 && count % 3 == 0) *--first = ',';
    *--first = static_cast<char>('0' + value % 10);
    value /= 10;
    ++count;
  } while (value != 0);
  const auto length = static_cast<std::size_t>(end - first);
  if (length < width) out.append(width - length, ' ');
  out.append(first, length);
}

void AppendEntryLine(std::string& out, const DirEntry& entry) {
  const std::tm& t = entry.modified;
  const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  char stamp[64];
  const int length = std::snprintf(stamp, sizeof stamp, "%02d/%02d/%04d  %02d:%02d %s ", t.tm_mon + 1, t.tm_mday,
                                   t.tm_year + 1900, hour12, t.tm_min, t.tm_hour < 12 ? "AM" : "PM");
  out.append(stamp, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof stamp) - 1)));
  if (entry.is_directory) {
    out += "   <DIR>          ";
  } else {
    AppendNumber(out, entry.size, 17, true);
    out += ' ';
  }
  out += entry.name;
  out += "\r\n";
}

}  // namespace

bool MatchesVobPattern(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && Lower(static_cast<unsigned char>(ext[1])) == 'v' &&
         Lower(static_cast<unsigned char>(ext[2])) == 'o' && Lower(static_cast<unsigned char>(ext[3])) == 'b';
}

// One pass over the names: the first difference upper-cased decides; failing that, the shorter
// name; failing that (equal upper-cased), the first raw byte that differs.
bool ListsBefore(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  int raw_order = 0;
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    const unsigned char upper_x = Upper(x);
    const unsigned char upper_y = Upper(y);
    if (upper_x != upper_y) return upper_x < upper_y;
    if (raw_order == 0) raw_order = x < y ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return raw_order < 0;
}

void WriteDirListing(const std::string& directory, std::vector<DirEntry> entries, OutputFile& out) {
  std::sort(entries.begin(), entries.end(),
            [](const DirEntry& a, const DirEntry& b) { return ListsBefore(a.name, b.name); });
  BlockWriter writer(out);
  writer.Append(
      " Volume in drive / has no label.\r\n"
      " Volume Serial Number is 0000-0000\r\n"
      "\r\n"
      " Directory of " +
      directory +
      "\r\n"
      "\r\n");
  if (entries.empty()) return;
  std::uint64_t files = 0;
  std::uint64_t dirs = 0;
  std::uint64_t bytes = 0;
  std::string line;
  for (const DirEntry& entry : entries) {
    line.clear();
    AppendEntryLine(line, entry);
    writer.Append(line);
    if (entry.is_directory) {
      ++dirs;
    } else {
      ++files;
      bytes += entry.size;
    }
  }
  line.clear();
  AppendNumber(line, files, 16, false);
  line += " File(s) ";
  AppendNumber(line, bytes, 14, true);
  line += " bytes\r\n";
  AppendNumber(line, dirs, 16, false);
  line += " Dir(s)\r\n";
  writer.Append(line);
}

std::string FormatDirListing(const std::string& directory, std::vector<DirEntry> entries) {
  StringOutput out;
  WriteDirListing(directory, std::move(entries), out);
  return std::move(out.text);
}

}  // namespace kelvarro
