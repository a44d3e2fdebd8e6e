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

  // Writes `bytes` into `path`, written or replaced: what failed.
  std::string Write(const std::string& path, const std::string& bytes, bool replacing = false) {
    return replacing ? files_.Replace(path, bytes) : files_.WriteFile(path, bytes);
  }

  fs::path previous_;
  fs::path dir_;
  DiskFileSystem files_;
};

TEST_F(DiskFileSystemTest, WritesExactBytesUnderBackslashPathsAndTruncates) {
  EXPECT_EQ(Write("temp\\out.txt", std::string(200000, 'x')), "");
  EXPECT_EQ(Write("temp\\out.txt", "a\r\nb\n"), "");
  EXPECT_EQ(Bytes(dir_ / "temp" / "out.txt"), "a\r\nb\n");
}

// Whole, and in parts: fewer bytes only where the file ends, none past it.
TEST_F(DiskFileSystemTest, ReadsBackWhatWasWritten) {
  const std::string bytes = std::string("\0\r\n\x1a", 4) + std::string(100000, 'x') + "end";
  ASSERT_EQ(Write("temp\\in.txt", bytes), "");
  std::string read;
  EXPECT_EQ(files_.ReadFile("temp\\in.txt", read), "");
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(files_.ReadPart("temp\\in.txt", 1, 3, read), "");
  EXPECT_EQ(read, "\r\n\x1a");
  EXPECT_EQ(files_.ReadPart("temp\\in.txt", bytes.size() - 2, 70000, read), "");
  EXPECT_EQ(read, "nd");
  EXPECT_EQ(files_.ReadPart("temp\\in.txt", bytes.size() + 9, 4, read), "");
  EXPECT_EQ(read, "");
}

TEST_F(DiskFileSystemTest, MissingFileOrDirectoryCannotBeRead) {
  std::string read;
  EXPECT_NE(files_.ReadFile("config.cfg", read), "");
  fs::create_directory(dir_ / "config.cfg");
  EXPECT_NE(files_.ReadFile("config.cfg", read), "");
  EXPECT_NE(files_.ReadPart("config.cfg", 0, 1, read), "");
  EXPECT_FALSE(ReadConfig(files_).has_value());
}

TEST_F(DiskFileSystemTest, OnlyAnExistingFileIsARegularFile) {
  fs::create_directories(dir_ / "input" / "x.vob");
  std::ofstream(dir_ / "input" / "VTS_01_1.VOB").put('x');
  EXPECT_TRUE(files_.IsRegularFile("input\\VTS_01_1.VOB"));
  EXPECT_FALSE(files_.IsRegularFile("input\\x.vob"));
  EXPECT_FALSE(files_.IsRegularFile("input\\VTS_01_2.VOB"));
  EXPECT_FALSE(files_.IsRegularFile("input"));
}

// A name is found whatever the case of its letters in any part of the path, as a Windows
// program finds it.
TEST_F(DiskFileSystemTest, FindsANameInAnyCase) {
  fs::create_directories(dir_ / "progs");
  std::ofstream(dir_ / "progs" / "azid.exe").put('x');
  EXPECT_EQ(files_.FindAnyCase("PROGS\\AZID.EXE").size(), 1u);
  EXPECT_TRUE(files_.FindAnyCase("PROGS\\LAME.EXE").empty());
}

// A part read past 4 GiB, fewer bytes at the end of the file, none behind it; a folder is no
// file to read. (A FIFO is never opened: WizardTerminal's runs with one among the VOB files.)
TEST_F(DiskFileSystemTest, ReadsAPartOfAFileLargerThan4GiB) {
  const std::uint64_t far = (std::uint64_t{4} << 30) + 8;
  std::ofstream(dir_ / "temp" / "big.vob", std::ios::binary).put('x');
  fs::resize_file(dir_ / "temp" / "big.vob", far + 8);
  std::fstream(dir_ / "temp" / "big.vob", std::ios::in | std::ios::out | std::ios::binary)
      .seekp(static_cast<std::streamoff>(far))
      .write("VOB!", 4);
  std::string bytes = "old";
  EXPECT_EQ(files_.FileSize("temp\\big.vob"), far + 8);
  EXPECT_EQ(files_.ReadPart("temp\\big.vob", far, 100, bytes), "");
  EXPECT_EQ(bytes, std::string("VOB!\0\0\0\0", 8));
  EXPECT_EQ(files_.ReadPart("temp\\big.vob", far + 100, 100, bytes), "");
  EXPECT_EQ(bytes, "");
  EXPECT_NE(files_.ReadPart("temp", 0, 100, bytes), "");
  EXPECT_FALSE(files_.FileSize("temp").has_value());
}

// Each way of writing tells a file it cannot write, in the system's words, and creates nothing.
TEST_F(DiskFileSystemTest, FileThatCannotBeWrittenIsToldWithTheReason) {
  for (const bool replacing : {false, true}) {
    EXPECT_NE(Write("nandub\\multi.vcf", "lost", replacing), "") << replacing;
    EXPECT_FALSE(fs::exists(dir_ / "nandub"));
    fs::create_directory(dir_ / "process.bat");
    EXPECT_NE(Write("process.bat", "lost", replacing), "") << replacing;
    EXPECT_NE(files_.EnsureWritable("process.bat"), "");
    EXPECT_NE(files_.Remove("process.bat"), "");
    fs::remove(dir_ / "process.bat");
  }
  EXPECT_NE(files_.EnsureWritable("nandub\\multi.vcf"), "");
}

// A replaced file keeps its old bytes until the new ones are complete, and nothing is left
// beside it.
// A folder's lock is held until let go: a second one, even of this process, is refused as held
// elsewhere; a lock in a folder that is not there is none, and not held.
TEST_F(DiskFileSystemTest, FolderLockIsHeldUntilLetGo) {
  bool held = false;
  std::unique_ptr<FolderLock> lock = files_.LockFolder("temp\\wizard.lck", held);
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(files_.LockFolder("temp\\wizard.lck", held), nullptr);
  EXPECT_TRUE(held);
  lock.reset();
  EXPECT_NE(files_.LockFolder("temp\\wizard.lck", held), nullptr);
  EXPECT_FALSE(held);
  EXPECT_EQ(files_.LockFolder("gone\\wizard.lck", held), nullptr);
  EXPECT_FALSE(held);
}

TEST_F(DiskFileSystemTest, ReplacedFileKeepsItsBytesUntilTheNewOnesAreComplete) {
  EXPECT_EQ(files_.EnsureWritable("config.cfg"), "");
  EXPECT_EQ(Bytes(dir_ / "config.cfg"), "");
  ASSERT_EQ(Write("config.cfg", "old"), "");
  EXPECT_EQ(files_.EnsureWritable("config.cfg"), "");
  EXPECT_EQ(Bytes(dir_ / "config.cfg"), "old");
  EXPECT_EQ(Write("config.cfg", "new", true), "");
  EXPECT_EQ(Bytes(dir_ / "config.cfg"), "new");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2) << "config.cfg and temp only";
  // A rename puts nothing in the place of a file that stands there.
  ASSERT_EQ(Write("temp\\movie", "made"), "");
  EXPECT_NE(files_.Rename("temp\\movie", "config.cfg"), "");
  EXPECT_EQ(Bytes(dir_ / "config.cfg"), "new");
  EXPECT_EQ(files_.Remove("config.cfg"), "");
  EXPECT_EQ(files_.Remove("config.cfg"), "") << "a missing file is no failure";
}

}  // namespace
}  // namespace kelvarro
