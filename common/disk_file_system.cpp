#include "common/disk_file_system.h"

#include "common/platform_files.h"

namespace kelvarro {
namespace {

class DiskInputFile : public InputFile {
 public:
  explicit DiskInputFile(platform::FileHandle handle) : handle_(handle) {}
  ~DiskInputFile() override { platform::CloseFile(handle_); }
  DiskInputFile(const DiskInputFile&) = delete;
  DiskInputFile& operator=(const DiskInputFile&) = delete;

  std::size_t Read(char* buffer, std::size_t size) override { return platform::ReadFile(handle_, buffer, size); }

 private:
  platform::FileHandle handle_;
};

// Collects small writes and hands them to the system in large blocks; a large piece goes to
// the system as it is, never copied. After the first failed write everything else is dropped,
// as a lost file loses its remaining text.
class DiskOutputFile : public OutputFile {
 public:
  explicit DiskOutputFile(platform::FileHandle handle) : handle_(handle) {}
  ~DiskOutputFile() override {
    Flush();
    if (handle_ != platform::kNoFile) platform::CloseFile(handle_);
  }
  DiskOutputFile(const DiskOutputFile&) = delete;
  DiskOutputFile& operator=(const DiskOutputFile&) = delete;

  void Write(std::string_view bytes) override {
    if (handle_ == platform::kNoFile || failed_) return;
    if (buffer_.size() + bytes.size() > kBlock) Flush();
    if (failed_) return;
    if (bytes.size() >= kBlock) {
      failed_ = !platform::WriteFile(handle_, bytes.data(), bytes.size());
    } else {
      buffer_.append(bytes);
    }
  }

 private:
  static constexpr std::size_t kBlock = std::size_t{64} * 1024;

  void Flush() {
    if (handle_ != platform::kNoFile && !failed_ && !buffer_.empty()) {
      failed_ = !platform::WriteFile(handle_, buffer_.data(), buffer_.size());
    }
    buffer_.clear();
  }

  platform::FileHandle handle_;
  bool failed_ = false;
  std::string buffer_;
};

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::OpenForReading(const std::string& path) {
  const platform::FileHandle handle = platform::OpenFileForReading(path);
  if (handle == platform::kNoFile) return nullptr;
  return std::make_unique<DiskInputFile>(handle);
}

std::unique_ptr<OutputFile> DiskFileSystem::OpenForWriting(const std::string& path) {
  return std::make_unique<DiskOutputFile>(platform::OpenFileForWriting(path));
}

bool DiskFileSystem::IsRegularFile(const std::string& path) { return platform::IsRegularFile(path); }

}  // namespace kelvarro
