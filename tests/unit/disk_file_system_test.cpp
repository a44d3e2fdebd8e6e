// The real file system, on a scratch directory. Runs on every platform.

#include "common/disk_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/config_file.h"

namespace kelvarro {
namespace {

namespace fs = std::filesystem;

// Runs each test inside a fresh scratch directory, since the programs name files relative to
// the current directory.
class DiskFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    std::random_device random;
    dir_ = fs::temp_directory_path() / ("kelvarro-disk-" + std::to_string(random()));
    fs::create_directories(dir_ / "temp");
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  fs::path previous_;
  fs::path dir_;
  DiskFileSystem files_;
};

TEST_F(DiskFileSystemTest, WritesExactBytesUnderBackslashPathsAndTruncates) {
  files_.OpenForWriting("temp\\out.txt")->Write(std::string(200000, 'x'));
  files_.OpenForWriting("temp\\out.txt")->Write("a\r\nb\n");
  EXPECT_EQ(Bytes(dir_ / "temp" / "out.txt"), "a\r\nb\n");
}

TEST_F(DiskFileSystemTest, ReadsBackWhatWasWritten) {
  files_.OpenForWriting(".\\temp\\in.txt")->Write(std::string("\0\r\n\x1a", 4) + "end");
  const std::unique_ptr<InputFile> file = files_.OpenForReading(".\\temp\\in.txt");
  ASSERT_NE(file, nullptr);
  char buffer[16];
  const std::size_t n = file->Read(buffer, sizeof buffer);
  EXPECT_EQ(std::string(buffer, n), std::string("\0\r\n\x1a", 4) + "end");
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 0u);
}

TEST_F(DiskFileSystemTest, MissingFileOrDirectoryCannotBeRead) {
  EXPECT_EQ(files_.OpenForReading("config.cfg"), nullptr);
  fs::create_directory(dir_ / "config.cfg");
  EXPECT_EQ(files_.OpenForReading("config.cfg"), nullptr);
  EXPECT_FALSE(ReadConfig(files_).has_value());
}

TEST_F(DiskFileSystemTest, OnlyAnExistingFileIsARegularFile) {
  fs::create_directories(dir_ / "input" / "x.vob");
  std::ofstream(dir_ / "input" / "VTS_01_1.VOB").put('x');
  EXPECT_TRUE(files_.IsRegularFile(".\\input\\VTS_01_1.VOB"));
  EXPECT_FALSE(files_.IsRegularFile(".\\input\\x.vob"));
  EXPECT_FALSE(files_.IsRegularFile(".\\input\\VTS_01_2.VOB"));
  EXPECT_FALSE(files_.IsRegularFile(".\\input"));
}

TEST_F(DiskFileSystemTest, WriteIntoMissingDirectoryIsSilentlyLost) {
  files_.OpenForWriting("nandub\\multi.vcf")->Write("lost");
  EXPECT_FALSE(fs::exists(dir_ / "nandub"));
}

}  // namespace
}  // namespace kelvarro
