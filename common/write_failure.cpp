#include "common/write_failure.h"

#include <string_view>
#include <utility>

namespace kelvarro {

std::string WriteFailureMessage(const WriteFailure& failure) {
  std::string message = "\nuh-oh... i can't write the file " + failure.file;
  message += failure.reason.empty() ? "!" : ": " + failure.reason;
  message += "\n\n";
  return message;
}

std::optional<WriteFailure> WriteWholeFile(FileSystem& files, const std::string& path, std::string_view contents) {
  std::string reason = files.WriteFile(path, contents);
  if (reason.empty()) return std::nullopt;
  return WriteFailure{path, std::move(reason)};
}

std::optional<WriteFailure> ReplaceWholeFile(FileSystem& files, const std::string& path, std::string_view contents) {
  std::string reason = files.Replace(path, contents);
  if (reason.empty()) return std::nullopt;
  return WriteFailure{path, std::move(reason)};
}

}  // namespace kelvarro
