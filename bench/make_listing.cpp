// make_dir_listing MEGABYTES PATH
//
// Writes a synthetic directory listing in the shape of the Windows command interpreter's "dir"
// output: a header, one line per file with date, time, size and name, and a summary, all with
// CR LF line ends. Most names are everyday files, many holding a 'v' (driver, movie, voice)
// so that the scan meets near misses; every so often a VOB file stands among them. The same
// arguments always give the same bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "common/disk_file_system.h"

namespace {

constexpr const char* kWords[] = {
    "report",  "video",   "driver", "setup", "movie",   "photo",  "backup", "install", "archive", "readme",
    "invoice", "service", "music",  "track", "holiday", "level",  "native", "vector",  "server",  "novel",
    "voice",   "vocal",   "volume", "data",  "notes",   "budget", "letter", "scan",
};
constexpr const char* kExtensions[] = {
    "txt", "dll", "jpg", "mp3", "ifo", "bup", "avi", "doc", "exe", "ini", "log", "dat", "vbs", "wav",
};

template <typename T, std::size_t N>
const T& Pick(const T (&items)[N], std::mt19937& random) {
  return items[random() % N];
}

std::string WithThousands(std::uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return out;
}

std::string FileLine(std::mt19937& random, std::uint64_t index, std::uint64_t& total) {
  std::string name;
  std::uint64_t size = 0;
  if (index % 997 == 0) {
    char vob[16];
    std::snprintf(vob, sizeof vob, "VTS_%02u_%u.VOB", static_cast<unsigned>(index / 997 % 99 + 1),
                  static_cast<unsigned>(index % 10));
    name = vob;
    size = 1'073'709'056;
  } else {
    name = std::string(Pick(kWords, random)) + "_" + std::to_string(random() % 1000);
    if (random() % 3 == 0) name += std::string("_") + Pick(kWords, random);
    name += std::string(".") + Pick(kExtensions, random);
    size = random() % 50'000'000;
  }
  total += size;
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "%02u/%02u/20%02u  %02u:%02u %s ", static_cast<unsigned>(random() % 12 + 1),
                static_cast<unsigned>(random() % 28 + 1), static_cast<unsigned>(random() % 26),
                static_cast<unsigned>(random() % 12 + 1), static_cast<unsigned>(random() % 60),
                random() % 2 == 0 ? "AM" : "PM");
  std::string size_column = WithThousands(size);
  size_column.insert(0, size_column.size() < 17 ? 17 - size_column.size() : 0, ' ');
  return stamp + size_column + " " + name + "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_dir_listing MEGABYTES PATH\n");
    return 2;
  }
  const std::uint64_t wanted = std::strtoull(argv[1], nullptr, 10) * 1000 * 1000;
  kelvarro::DiskFileSystem files;
  std::string why_not;
  std::unique_ptr<kelvarro::OutputFile> out = files.OpenForWriting(argv[2], why_not);
  if (!out) {
    std::fprintf(stderr, "make_dir_listing: cannot write %s: %s\n", argv[2], why_not.c_str());
    return 1;
  }

  std::string text =
      " Volume in drive C is SYSTEM\r\n Volume Serial Number is 1A2B-3C4D\r\n\r\n"
      " Directory of C:\\divx\\kelvarro\\input\r\n\r\n";
  std::mt19937 random(20260712);
  std::uint64_t written = 0;
  std::uint64_t files_listed = 0;
  std::uint64_t total_size = 0;
  const std::string summary_room(100, ' ');
  while (written + text.size() + summary_room.size() < wanted) {
    text += FileLine(random, files_listed++, total_size);
    if (text.size() >= std::size_t{64} * 1024) {
      out->Write(text);
      written += text.size();
      text.clear();
    }
  }
  text += "      " + std::to_string(files_listed) + " File(s) " + WithThousands(total_size) + " bytes\r\n" +
          "               0 Dir(s)  83,054,264,320 bytes free\r\n";
  out->Write(text);
  written += text.size();
  const std::string failed = out->Close();
  if (!failed.empty()) {
    std::fprintf(stderr, "make_dir_listing: cannot write %s: %s\n", argv[2], failed.c_str());
    return 1;
  }
  std::printf("%llu bytes, %llu files\n", static_cast<unsigned long long>(written),
              static_cast<unsigned long long>(files_listed));
  return 0;
}
