#include "common/write_failure.h"

#include <memory>
#include <string_view>
#include <utility>

namespace kelvarro {

std::string WriteFailureMessage(const WriteFailure& failure) {
  std::string_view file = failure.file;
  if (file.substr(0, 2) == ".\\") file.remove_prefix(2);
  std::string message = "\nuh-oh... i can't write the file ";
  message += file;
  message += failure.reason.empty() ? "!" : ": " + failure.reason;
  message += "\n\n";
  return message;
}

std::optional<WriteFailure> WriteWholeFile(FileSystem& files, const std::string& path, Opening opening,
                                           const std::function<void(OutputFile&)>& contents) {
  std::string reason;
  const std::unique_ptr<OutputFile> file =
      opening == Opening::kReplacing ? files.OpenForReplacing(path, reason) : files.OpenForWriting(path, reason);
  if (file) {
    contents(*file);
    reason = file->Close();
  }
  if (reason.empty()) return std::nullopt;
  return WriteFailure{path, std::move(reason)};
}

std::optional<WriteFailure> WriteWholeFile(FileSystem& files, const std::string& path, std::string_view contents) {
  return WriteWholeFile(files, path, Opening::kTruncating, [&](OutputFile& file) { file.Write(contents); });
}

}  // namespace kelvarro
