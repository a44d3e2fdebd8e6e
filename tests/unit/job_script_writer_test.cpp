#include "wizard/job_script_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/golden_files.h"
#include "support/memory_file_system.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

using testing::JobScriptFor;

// Every backslash of the install directory doubled, nothing else changed, a double quote
// included, at any length; the script, in place of an earlier and longer one, carries it in
// three places.
TEST(JobScriptWriter, WritesTheSixteenLinesWithTheBackslashesOfTheInstallDirDoubled) {
  // Far beyond any fixed area: 300 directory levels of ten characters each.
  std::string deep = "c:\\";
  std::string deep_escaped = "c:\\\\";
  for (int i = 0; i < 300; ++i) {
    deep += "directory\\";
    deep_escaped += "directory\\\\";
  }
  const std::pair<std::string, std::string> cases[] = {
      {"d:\\divxstuff\\kelvarro0.7.1\\", "d:\\\\divxstuff\\\\kelvarro0.7.1\\\\"},  // 675 bytes
      {"", ""},
      {"/home/me/kv/", "/home/me/kv/"},
      {"\\\\server\\share\\", "\\\\\\\\server\\\\share\\\\"},
      {"c:\\a\"b\\", "c:\\\\a\"b\\\\"},
      {deep, deep_escaped},
  };
  for (const auto& [install_dir, escaped] : cases) {
    EXPECT_EQ(BuildEscapedInstallDir(install_dir), escaped);
    MemoryFileSystem files;
    files.files["nandub\\multi.vcf"] = std::string(5000, 'x');
    EXPECT_FALSE(JobScriptWriter(files, BuildEscapedInstallDir(install_dir)).has_value());
    EXPECT_EQ(files.At("nandub\\multi.vcf"), JobScriptFor(escaped)) << install_dir.substr(0, 40);
  }
}

}  // namespace
}  // namespace kelvarro
