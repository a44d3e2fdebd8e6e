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

namespace {

// Writes `contents` into the file just opened and closes it, or tells why it could not be opened.
std::optional<WriteFailure> WriteAndClose(const std::string& path, OutputFile* file, std::string reason,
                                          std::string_view contents) {
  if (file != nullptr) {
    file->Write(contents);
    reason = file->Close();
  }
  if (reason.empty()) return std::nullopt;
  return WriteFailure{path, std::move(reason)};
}

}  // namespace

std::optional<WriteFailure> WriteWholeFile(FileSystem& files, const std::string& path, std::string_view contents) {
  std::string reason;
  const std::unique_ptr<OutputFile> file = files.OpenForWriting(path, reason);
  return WriteAndClose(path, file.get(), std::move(reason), contents);
}

std::optional<WriteFailure> ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view contents) {
  std::string reason;
  const std::unique_ptr<OutputFile> file = files.OpenForReplacing(path, reason);
  return WriteAndClose(path, file.get(), std::move(reason), contents);
}

}  // namespace kelvarro
