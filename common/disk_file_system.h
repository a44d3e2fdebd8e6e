#pragma once

#include "file_system.h"

namespace kelvarro {

// The real file system: one implementation per platform (disk_file_system_posix.cpp,
// disk_file_system_windows.cpp), chosen by the build, each over its own system's calls.
class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path, std::string& why_not) override;
  std::unique_ptr<OutputFile> OpenForReplacing(const std::string& path, std::string& why_not) override;
  std::string EnsureWritable(const std::string& path) override;
  std::string Remove(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length, std::string& bytes) override;
  bool Exists(const std::string& path) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  std::vector<std::string> List(const std::string& path) override;
  std::string WorkingFolder() override;
};

}  // namespace kelvarro
