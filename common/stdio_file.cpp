#include "common/stdio_file.h"

#include <cerrno>
#include <cstring>

namespace kelvarro {

std::string ErrnoReason() {
  const int error = errno;
  std::string text = std::strerror(error);
  errno = error;
  return text;
}

// Closes a file whose Close was not called, telling nothing: the run was abandoned.
StdioOutputFile::~StdioOutputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void StdioOutputFile::Write(std::string_view bytes) {
  if (file_ == nullptr || !failure_.empty() || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failure_ = ErrnoReason();
}

// The flush and the close are checked apart, so that the flush's reason is the one told: a
// full disk often shows only when the last bytes go out.
std::string StdioOutputFile::Close() {
  if (file_ == nullptr) return failure_;
  if (std::fflush(file_) != 0 && failure_.empty()) failure_ = ErrnoReason();
  if (std::fclose(file_) != 0 && failure_.empty()) failure_ = ErrnoReason();
  file_ = nullptr;
  return failure_;
}

ReplacingOutputFile::~ReplacingOutputFile() {
  if (done_) return;
  file_.Close();
  std::remove(new_path_.c_str());
}

std::string ReplacingOutputFile::Close() {
  if (done_) return failure_;
  done_ = true;
  failure_ = file_.Close();
  if (failure_.empty()) failure_ = put_in_place_(new_path_, path_);
  if (!failure_.empty()) std::remove(new_path_.c_str());
  return failure_;
}

}  // namespace kelvarro
