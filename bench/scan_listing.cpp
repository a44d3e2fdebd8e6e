// scan_listing LISTING
//
// Times the reading and the VOB scan of a listing on disk, with the names found thrown away, and
// prints the listing's size, the number of hits, the time taken and the throughput.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "common/disk_file_system.h"
#include "wizard/vob_lister.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: scan_listing LISTING\n");
    return 2;
  }
  kelvarro::DiskFileSystem files;
  std::unique_ptr<kelvarro::InputFile> listing = files.OpenForReading(argv[1]);
  if (listing == nullptr) {
    std::fprintf(stderr, "scan_listing: cannot open %s\n", argv[1]);
    return 1;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::string text = kelvarro::ReadWhole(*listing);
  std::size_t hits = 0;
  kelvarro::ScanVobListing(text, [&](const std::string&) { ++hits; });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("bytes %zu hits %zu seconds %.4f MB/s %.1f\n", text.size(), hits, seconds,
              static_cast<double>(text.size()) / 1e6 / seconds);
  return 0;
}
