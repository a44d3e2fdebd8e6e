#include "wizard/dir_listing.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kelvarro {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool LessIgnoringCase(const DirEntry& a, const DirEntry& b) {
  const bool less = std::lexicographical_compare(
      a.name.begin(), a.name.end(), b.name.begin(), b.name.end(),
      [](char x, char y) { return Lower(x) < Lower(y); });
  const bool greater = std::lexicographical_compare(
      b.name.begin(), b.name.end(), a.name.begin(), a.name.end(),
      [](char x, char y) { return Lower(x) < Lower(y); });
  return less || (!greater && a.name < b.name);
}

// 1234567 -> "1,234,567"
std::string WithThousands(std::uint64_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string EntryLine(const DirEntry& entry) {
  const std::tm& t = entry.modified;
  const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%04d  %02d:%02d %s", t.tm_mon + 1, t.tm_mday,
                t.tm_year + 1900, hour12, t.tm_min, t.tm_hour < 12 ? "AM" : "PM");
  const std::string size_column = entry.is_directory ? "   <DIR>          " : Padded(WithThousands(entry.size), 17) + " ";
  return std::string(stamp) + " " + size_column + entry.name + "\r\n";
}

}  // namespace

bool MatchesVobPattern(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && Lower(ext[1]) == 'v' && Lower(ext[2]) == 'o' && Lower(ext[3]) == 'b';
}

std::string FormatDirListing(const std::string& directory, std::vector<DirEntry> entries) {
  std::sort(entries.begin(), entries.end(), LessIgnoringCase);
  std::string out =
      " Volume in drive / has no label.\r\n"
      " Volume Serial Number is 0000-0000\r\n"
      "\r\n"
      " Directory of " + directory + "\r\n"
      "\r\n";
  if (entries.empty()) return out;
  std::uint64_t files = 0;
  std::uint64_t dirs = 0;
  std::uint64_t bytes = 0;
  for (const DirEntry& entry : entries) {
    out += EntryLine(entry);
    if (entry.is_directory) {
      ++dirs;
    } else {
      ++files;
      bytes += entry.size;
    }
  }
  out += Padded(std::to_string(files), 16) + " File(s) " + Padded(WithThousands(bytes), 14) + " bytes\r\n";
  out += Padded(std::to_string(dirs), 16) + " Dir(s)\r\n";
  return out;
}

}  // namespace kelvarro
