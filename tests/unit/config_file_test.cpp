#include "common/config_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/memory_file_system.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

// The first two words, whatever separates them; a missing word is empty, and only three
// characters of the second count.
TEST(ReadConfig, TakesTheFirstWordAsTheDirectoryAndThreeCharactersOfTheSecondAsTheSwitch) {
  const std::string long_dir = "c:\\" + std::string(32763, 'a') + "\\";
  const struct {
    std::string content;
    std::string install_dir;
    std::string idct_switch;
  } cases[] = {
      {"d:\\divxstuff\\kelvarro0.7.1\\\r\n-r2", "d:\\divxstuff\\kelvarro0.7.1\\", "-r2"},  // as setup writes it
      {"d:\\k\\\n-r2", "d:\\k\\", "-r2"},                                                  // line feed alone
      {"\r\n\r\n  d:\\k\\\r\n-r2\r\n", "d:\\k\\", "-r2"},                                  // blank lines, final end
      {"\t d:\\k\\ \v\f-r2 -x trailing", "d:\\k\\", "-r2"},
      {"c:\\x\\\r\n-r1234567890 -r7", "c:\\x\\", "-r1"},
      {"", "", ""},
      {" \r\n\t ", "", ""},
      {"c:\\only\\", "c:\\only\\", ""},
      {"\r\n-r7", "-r7", ""},  // an empty first line (setup derived no directory)
      {std::string("\x01\x02\0\xff\x80 \xfe\xfd\xfc\xfb\x00", 11), std::string("\x01\x02\0\xff\x80", 5),
       "\xfe\xfd\xfc"},
      {long_dir + "\r\n-r1", long_dir, "-r1"},  // the longest path Windows has
      // One longer is kept one character past it, however long, and the switch still read.
      {std::string(3'000'000, 'b') + "\r\n-r1", std::string(kLongestWindowsPath + 1, 'b'), "-r1"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.files["config.cfg"] = c.content;
    const std::optional<WizardConfig> config = ReadConfig(files);
    ASSERT_TRUE(config.has_value()) << c.content.substr(0, 40);
    EXPECT_EQ(config->install_dir, c.install_dir) << c.content.substr(0, 40);
    EXPECT_EQ(config->idct_switch, c.idct_switch) << c.content.substr(0, 40);
  }
}

TEST(ReadConfig, ReportsAFileThatCannotBeOpened) {
  MemoryFileSystem files;
  EXPECT_FALSE(ReadConfig(files).has_value());
  files.files["config.cfg"] = "c:\\x\\\r\n-r1";
  files.unreadable.insert("config.cfg");
  EXPECT_FALSE(ReadConfig(files).has_value());
}

TEST(ConfigWriter, KeepsTheOldFileUntilItWritesBothValuesWithoutFinalLineEnd) {
  MemoryFileSystem files;
  files.files["config.cfg"] = "old content that stays until the new is complete";
  {
    ConfigWriter writer(files);
    EXPECT_FALSE(writer.failure().has_value());
    EXPECT_EQ(files.At("config.cfg"), "old content that stays until the new is complete");
    EXPECT_FALSE(writer.Write("d:\\divxstuff\\kelvarro0.7.1\\", "-r2").has_value());
  }
  EXPECT_EQ(files.At("config.cfg"), "d:\\divxstuff\\kelvarro0.7.1\\\r\n-r2");

  // What setup writes, the wizard reads back.
  const std::optional<WizardConfig> config = ReadConfig(files);
  ASSERT_TRUE(config.has_value());
  EXPECT_EQ(config->install_dir, "d:\\divxstuff\\kelvarro0.7.1\\");
  EXPECT_EQ(config->idct_switch, "-r2");

  MemoryFileSystem empty;
  ConfigWriter created(empty);
  EXPECT_FALSE(empty.Has("config.cfg")) << "nothing stands there until it is written";
  created.Write("", "-r1");
  EXPECT_EQ(empty.At("config.cfg"), "\r\n-r1") << "an empty directory starts the file with the line end";
}

TEST(ConfigWriter, UnwritableFileIsToldAtOnceWithItsReason) {
  MemoryFileSystem files;
  files.unwritable.insert("config.cfg");
  ConfigWriter writer(files);
  ASSERT_TRUE(writer.failure().has_value());
  EXPECT_EQ(writer.failure()->file, "config.cfg");
  EXPECT_EQ(writer.failure()->reason, testing::kNoRight);
  EXPECT_FALSE(files.Has("config.cfg"));
}

}  // namespace
}  // namespace kelvarro
