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
  bool Exists(const std::string& path) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  std::vector<std::string> List(const std::string& path) override;
  std::string WorkingFolder() override;
  platform::FolderMatch IsWorkingFolder(const std::string& folder) override;
  std::vector<std::string> FindAnyCase(const std::string& path) override;
};

}  // namespace kelvarro
