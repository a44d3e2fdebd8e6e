#include "common/config_file.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

WizardConfig ReadFrom(const std::string& content) {
  MemoryFileSystem files;
  files.files["config.cfg"] = content;
  const std::optional<WizardConfig> config = ReadConfig(files);
  EXPECT_TRUE(config.has_value());
  return config.value_or(WizardConfig{});
}

TEST(ReadConfig, ReadsBothValuesWhateverTheLineEnds) {
  for (const std::string content : {"d:\\divxstuff\\kelvarro0.7.1\\\r\n-r2",                // as setup writes it
                                    "d:\\divxstuff\\kelvarro0.7.1\\\n-r2",                  // line feed alone
                                    "\r\n\r\n  d:\\divxstuff\\kelvarro0.7.1\\\r\n-r2\r\n",  // blank lines, final end
                                    "\t d:\\divxstuff\\kelvarro0.7.1\\ \v\f-r2 -x trailing"}) {
    const WizardConfig config = ReadFrom(content);
    EXPECT_EQ(config.install_dir, "d:\\divxstuff\\kelvarro0.7.1\\") << content;
    EXPECT_EQ(config.idct_switch, "-r2") << content;
  }
}

TEST(ReadConfig, ShortFilesYieldEmptyFields) {
  EXPECT_EQ(ReadFrom("").install_dir, "");
  EXPECT_EQ(ReadFrom("").idct_switch, "");
  EXPECT_EQ(ReadFrom(" \r\n\t ").install_dir, "");

  const WizardConfig one = ReadFrom("c:\\only\\");
  EXPECT_EQ(one.install_dir, "c:\\only\\");
  EXPECT_EQ(one.idct_switch, "");

  // An empty first line (setup derived no directory): the switch becomes the directory.
  const WizardConfig shifted = ReadFrom("\r\n-r7");
  EXPECT_EQ(shifted.install_dir, "-r7");
  EXPECT_EQ(shifted.idct_switch, "");
}

TEST(ReadConfig, KeepsOnlyThreeCharactersOfTheSwitch) {
  const WizardConfig config = ReadFrom("c:\\x\\\r\n-r1234567890 -r7");
  EXPECT_EQ(config.install_dir, "c:\\x\\");
  EXPECT_EQ(config.idct_switch, "-r1");
}

TEST(ReadConfig, TakesBinaryJunkAsTokens) {
  const std::string junk("\x01\x02\0\xff\x80 \xfe\xfd\xfc\xfb\x00", 11);
  const WizardConfig config = ReadFrom(junk);
  EXPECT_EQ(config.install_dir, std::string("\x01\x02\0\xff\x80", 5));
  EXPECT_EQ(config.idct_switch, "\xfe\xfd\xfc");
}

// An install directory as long as a Windows path can be is kept whole; a longer one keeps one
// character more, however long it is, and the switch behind it is still read.
TEST(ReadConfig, InstallDirectoryBeyondAnyWindowsPathIsCutOneCharacterPastIt) {
  const std::string longest(kLongestWindowsPath, 'a');
  EXPECT_EQ(ReadFrom(longest + "\r\n-r1").install_dir, longest);
  for (const std::size_t length : {kLongestWindowsPath + 1, kLongestWindowsPath + 2, std::size_t{3'000'000}}) {
    const WizardConfig config = ReadFrom(std::string(length, 'b') + "\r\n-r1");
    EXPECT_EQ(config.install_dir, std::string(kLongestWindowsPath + 1, 'b')) << length;
    EXPECT_EQ(config.idct_switch, "-r1") << length;
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
  EXPECT_EQ(empty.At("config.cfg"), "") << "a missing file is created empty at once";
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
