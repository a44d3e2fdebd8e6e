#pragma once

#include "file_system.h"

namespace kelvarro {

// The real file system: one implementation per platform (disk_file_system_posix.cpp,
// disk_file_system_windows.cpp), chosen by the build, each over its own system's calls.
class DiskFileSystem : public FileSystem {
 public:
  std::string ReadFile(const std::string& path, std::string& contents) override;
  std::string ReadPart(const std::string& path, std::uint64_t offset, std::size_t length, std::string& bytes) override;
  std::string WriteFile(const std::string& path, std::string_view contents) override;
  std::string Replace(const std::string& path, std::string_view contents) override;
  std::string EnsureWritable(const std::string& path) override;
  std::string Remove(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  bool Exists(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  std::string WhyFolderCannotBeWritten(const std::string& path) override;
  std::string Rename(const std::string& from, const std::string& to) override;
  std::vector<std::string> List(const std::string& path) override;
  std::string WorkingFolder() override;
  std::unique_ptr<FolderLock> LockFolder(const std::string& path, bool& held_elsewhere) override;
  platform::FolderMatch IsWorkingFolder(const std::string& folder) override;
  std::vector<std::string> FindAnyCase(const std::string& path) override;
};

}  // namespace kelvarro
