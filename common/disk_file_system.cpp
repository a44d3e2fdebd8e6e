#include "common/disk_file_system.h"

#include <string>
#include <utility>

#include "common/platform_files.h"
#include "common/platform_paths.h"

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
// and that failure is what Close tells.
class DiskOutputFile : public OutputFile {
 public:
  explicit DiskOutputFile(platform::FileHandle handle) : handle_(handle) {}
  ~DiskOutputFile() override { Finish(); }
  DiskOutputFile(const DiskOutputFile&) = delete;
  DiskOutputFile& operator=(const DiskOutputFile&) = delete;

  void Write(std::string_view bytes) override {
    if (handle_ == platform::kNoFile || !failure_.empty()) return;
    if (buffer_.size() + bytes.size() > kBlock) Flush();
    if (!failure_.empty()) return;
    if (bytes.size() >= kBlock) {
      failure_ = platform::WriteFile(handle_, bytes.data(), bytes.size());
    } else {
      buffer_.append(bytes);
    }
  }

  std::string Close() override { return Finish(); }

 private:
  static constexpr std::size_t kBlock = std::size_t{64} * 1024;

  std::string Finish() {
    if (handle_ == platform::kNoFile) return failure_;
    Flush();
    std::string closed = platform::CloseFile(handle_);
    handle_ = platform::kNoFile;
    if (failure_.empty()) failure_ = std::move(closed);
    return failure_;
  }

  void Flush() {
    if (failure_.empty() && !buffer_.empty()) failure_ = platform::WriteFile(handle_, buffer_.data(), buffer_.size());
    buffer_.clear();
  }

  platform::FileHandle handle_;
  std::string failure_;
  std::string buffer_;
};

// Writes a new file beside the old one and puts it in the old one's place only once it is
// complete; otherwise removes it, and the old file is as it was.
class ReplacingOutputFile : public OutputFile {
 public:
  ReplacingOutputFile(platform::FileHandle handle, std::string new_path, std::string path)
      : file_(handle), new_path_(std::move(new_path)), path_(std::move(path)) {}
  ~ReplacingOutputFile() override {
    if (!done_) Discard();
  }
  ReplacingOutputFile(const ReplacingOutputFile&) = delete;
  ReplacingOutputFile& operator=(const ReplacingOutputFile&) = delete;

  void Write(std::string_view bytes) override { file_.Write(bytes); }

  std::string Close() override {
    if (done_) return failure_;
    failure_ = file_.Close();
    if (failure_.empty()) failure_ = platform::PutInPlace(new_path_, path_);
    if (!failure_.empty()) Discard();
    done_ = true;
    return failure_;
  }

 private:
  void Discard() {
    file_.Close();
    platform::RemoveFile(new_path_);
  }

  DiskOutputFile file_;
  std::string new_path_;
  std::string path_;
  std::string failure_;
  bool done_ = false;
};

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::OpenForReading(const std::string& path) {
  const platform::FileHandle handle = platform::OpenFileForReading(path);
  if (handle == platform::kNoFile) return nullptr;
  return std::make_unique<DiskInputFile>(handle);
}

std::unique_ptr<OutputFile> DiskFileSystem::OpenForWriting(const std::string& path, std::string& why_not) {
  const platform::FileHandle handle = platform::OpenFileForWriting(path, why_not);
  if (handle == platform::kNoFile) return nullptr;
  return std::make_unique<DiskOutputFile>(handle);
}

// A rename would replace a read-only file on POSIX, so the file's own right to be written is
// asked first. Where no new file can stand beside it (a folder that only lets its files be
// written) or the path is a link or a device, the file is written in place.
std::unique_ptr<OutputFile> DiskFileSystem::OpenForReplacing(const std::string& path, std::string& why_not) {
  why_not = platform::CheckWritable(path, false);
  if (!why_not.empty()) return nullptr;
  if (platform::IsReplaceable(path)) {
    const std::string new_path = path + ".new";
    std::string ignored;
    const platform::FileHandle handle = platform::OpenFileForWriting(new_path, ignored);
    if (handle != platform::kNoFile) return std::make_unique<ReplacingOutputFile>(handle, new_path, path);
  }
  return OpenForWriting(path, why_not);
}

std::string DiskFileSystem::EnsureWritable(const std::string& path) { return platform::CheckWritable(path, true); }

std::string DiskFileSystem::Remove(const std::string& path) { return platform::RemoveFile(path); }

bool DiskFileSystem::IsRegularFile(const std::string& path) { return platform::IsRegularFile(path); }

bool DiskFileSystem::Exists(const std::string& path) { return platform::Exists(path); }

std::string DiskFileSystem::Rename(const std::string& from, const std::string& to) {
  return platform::RenameFile(from, to);
}

std::vector<std::string> DiskFileSystem::List(const std::string& path) { return platform::ListFolder(path); }

std::string DiskFileSystem::WorkingFolder() { return platform::WorkingFolder(); }

}  // namespace kelvarro
