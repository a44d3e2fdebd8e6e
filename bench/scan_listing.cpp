// scan_listing LISTING
//
// Times the VOB scan over a listing on disk, with the names found thrown away, and prints the
// listing's size, the number of hits, the time taken and the throughput.

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "common/disk_file_system.h"
#include "wizard/vob_lister.h"

namespace {

class CountingInput : public kelvarro::InputFile {
 public:
  explicit CountingInput(kelvarro::InputFile& file) : file_(file) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t got = file_.Read(buffer, size);
    bytes += got;
    return got;
  }
  unsigned long long bytes = 0;

 private:
  kelvarro::InputFile& file_;
};

}  // namespace

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
  CountingInput counted(*listing);
  const auto start = std::chrono::steady_clock::now();
  const std::size_t hits = kelvarro::ScanVobListing(counted, [](const std::string&) {}).hits;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("bytes %llu hits %zu seconds %.4f MB/s %.1f\n", counted.bytes, hits, seconds,
              static_cast<double>(counted.bytes) / 1e6 / seconds);
  return 0;
}
