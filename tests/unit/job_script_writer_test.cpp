#include "wizard/job_script_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "support/expected_files.h"
#include "support/memory_file_system.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

using testing::JobScriptFor;

// The script as the writer leaves it.
std::string Written(const std::string& escaped_install_dir) {
  MemoryFileSystem files;
  JobScriptWriter(files, escaped_install_dir);
  return files.At(".\\nandub\\multi.vcf");
}

TEST(EscapedInstallDir, DoublesEveryBackslashAndNothingElse) {
  EXPECT_EQ(BuildEscapedInstallDir("d:\\divxstuff\\kelvarro0.7.1\\"), "d:\\\\divxstuff\\\\kelvarro0.7.1\\\\");
  EXPECT_EQ(BuildEscapedInstallDir(""), "");
  EXPECT_EQ(BuildEscapedInstallDir("/home/me/kv/"), "/home/me/kv/");
  EXPECT_EQ(BuildEscapedInstallDir("\\\\server\\share\\"), "\\\\\\\\server\\\\share\\\\");
  EXPECT_EQ(BuildEscapedInstallDir("c:\\a\"b\\"), "c:\\\\a\"b\\\\");
}

TEST(JobScriptWriter, WorkedExampleIsExactlyTheSixteenLinesIn675Bytes) {
  MemoryFileSystem files;
  JobScriptWriter(files, BuildEscapedInstallDir("d:\\divxstuff\\kelvarro0.7.1\\"));
  const std::string expected = JobScriptFor("d:\\\\divxstuff\\\\kelvarro0.7.1\\\\");
  ASSERT_TRUE(files.Has(".\\nandub\\multi.vcf"));
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf"), expected);
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf").size(), 675u);
}

TEST(JobScriptWriter, EmptyInstallDirLeavesThePathsRelative) { EXPECT_EQ(Written(""), JobScriptFor("")); }

TEST(JobScriptWriter, QuoteInInstallDirIsCopiedWithoutEscape) {
  const std::string text = Written(BuildEscapedInstallDir("c:\\a\"b\\"));
  EXPECT_EQ(text.substr(0, text.find("\r\n")), "VirtualDub.Open(\"c:\\\\a\"b\\\\temp\\\\movie_1.avi\",1,0);");
}

TEST(JobScriptWriter, VeryLongInstallDirIsWrittenWhole) {
  // Far beyond any fixed area: 300 directory levels of ten characters each.
  std::string install_dir = "c:\\";
  for (int i = 0; i < 300; ++i) install_dir += "directory\\";
  const std::string escaped = BuildEscapedInstallDir(install_dir);
  ASSERT_EQ(escaped.size(), install_dir.size() + 301);
  MemoryFileSystem files;
  JobScriptWriter(files, escaped);
  const std::string& text = files.At(".\\nandub\\multi.vcf");
  EXPECT_EQ(text.size(), Written("").size() + 3 * escaped.size());
  EXPECT_NE(text.find("VirtualDub.SaveAVI(\"" + escaped + "output\\\\output.avi\");\r\n"), std::string::npos);
}

TEST(JobScriptWriter, ReplacesAnEarlierLongerScriptWholeAndSurvivesAnUnwritableFile) {
  MemoryFileSystem files;
  files.files[".\\nandub\\multi.vcf"] = std::string(5000, 'x');
  JobScriptWriter(files, "e:\\\\");
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf"), Written("e:\\\\"));

  MemoryFileSystem locked;
  locked.unwritable.insert(".\\nandub\\multi.vcf");
  JobScriptWriter(locked, "e:\\\\");
  EXPECT_FALSE(locked.Has(".\\nandub\\multi.vcf"));
}

}  // namespace
}  // namespace kelvarro
