#include "wizard/job_script_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_file_system.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

// The lines as they read on disk, CR LF between them and none after the last.
std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : "\r\n") + lines[i];
  return text;
}

std::vector<std::string> ScriptLines(const std::string& open, const std::string& source, const std::string& save) {
  return {open,
          source,
          "VirtualDub.audio.SetMode(0);",
          "VirtualDub.audio.SetInterleave(1,500,500,1,0);",
          "VirtualDub.audio.SetClipMode(1,1);",
          "VirtualDub.audio.SetConversion(0,0,0,0,0);",
          "VirtualDub.audio.SetCompression();",
          "VirtualDub.video.SetDepth(24,24);",
          "VirtualDub.video.SetMode(0);",
          "VirtualDub.video.SetFrameRate(0,1, 0);",
          "VirtualDub.video.SetRange(0,0);",
          "VirtualDub.video.SetCompression();",
          "VirtualDub.video.filters.Clear();",
          "VirtualDub.subset.Delete();",
          save,
          "VirtualDub.Close();"};
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
  const std::string expected = Joined(ScriptLines(
      "VirtualDub.Open(\"d:\\\\divxstuff\\\\kelvarro0.7.1\\\\temp\\\\movie_1.avi\",1,0);",
      "VirtualDub.audio.SetSource(\"d:\\\\divxstuff\\\\kelvarro0.7.1\\\\temp\\\\audio.mp3\");",
      "VirtualDub.SaveAVI(\"d:\\\\divxstuff\\\\kelvarro0.7.1\\\\output\\\\output.avi\");"));
  ASSERT_TRUE(files.Has(".\\nandub\\multi.vcf"));
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf"), expected);
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf").size(), 675u);
}

TEST(JobScriptWriter, EmptyInstallDirLeavesThePathsRelative) {
  EXPECT_EQ(JobScriptText(""), Joined(ScriptLines("VirtualDub.Open(\"temp\\\\movie_1.avi\",1,0);",
                                                  "VirtualDub.audio.SetSource(\"temp\\\\audio.mp3\");",
                                                  "VirtualDub.SaveAVI(\"output\\\\output.avi\");")));
}

TEST(JobScriptWriter, QuoteInInstallDirIsCopiedWithoutEscape) {
  const std::string text = JobScriptText(BuildEscapedInstallDir("c:\\a\"b\\"));
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
  EXPECT_EQ(text.size(), JobScriptText("").size() + 3 * escaped.size());
  EXPECT_NE(text.find("VirtualDub.SaveAVI(\"" + escaped + "output\\\\output.avi\");\r\n"), std::string::npos);
}

TEST(JobScriptWriter, ReplacesAnEarlierLongerScriptWholeAndSurvivesAnUnwritableFile) {
  MemoryFileSystem files;
  files.files[".\\nandub\\multi.vcf"] = std::string(5000, 'x');
  JobScriptWriter(files, "e:\\\\");
  EXPECT_EQ(files.At(".\\nandub\\multi.vcf"), JobScriptText("e:\\\\"));

  MemoryFileSystem locked;
  locked.unwritable.insert(".\\nandub\\multi.vcf");
  JobScriptWriter(locked, "e:\\\\");
  EXPECT_FALSE(locked.Has(".\\nandub\\multi.vcf"));
}

}  // namespace
}  // namespace kelvarro
