#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "support/memory_file_system.h"
#include "wizard/dir_listing.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;

const std::string kListing = "temp\\menulst.tmp";

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ListsBefore(a, b); });
  return names;
}

TEST(VobPattern, MatchesTheExtensionWithoutRegardToCase) {
  EXPECT_TRUE(MatchesVobPattern("VTS_01_1.VOB"));
  EXPECT_TRUE(MatchesVobPattern("a.vOb"));
  EXPECT_TRUE(MatchesVobPattern(".vob"));
  EXPECT_FALSE(MatchesVobPattern("vob"));
  EXPECT_FALSE(MatchesVobPattern("movie.vob.bak"));
  EXPECT_FALSE(MatchesVobPattern("movie_vob"));
}

// '_' (0x5F) and '~' (0x7E) come after the letters upper-cased (0x41..0x5A) but before them
// lower-cased (0x61..0x7A); digits (0x30..0x39) come before both.
TEST(DirOrder, ComparesUpperCasedCodeUnitByCodeUnitAsNtfsDoes) {
  EXPECT_EQ(Sorted({"VTS~1234", "VTS_01_1", "vtsa1234", "VTS01234"}),
            (std::vector<std::string>{"VTS01234", "vtsa1234", "VTS_01_1", "VTS~1234"}));
  EXPECT_EQ(Sorted({"vts_01_1.vob", "VTSA1234.VOB", "vtsz.vob", "VTS.VOB"}),
            (std::vector<std::string>{"VTS.VOB", "VTSA1234.VOB", "vtsz.vob", "vts_01_1.vob"}));
  // A name that starts another comes first, whatever the case of either.
  EXPECT_TRUE(ListsBefore("vts_01", "VTS_01_1"));
  EXPECT_FALSE(ListsBefore("VTS_01_1", "vts_01"));
}

TEST(DirOrder, NamesEqualUpperCasedFallBackToTheirFirstDifferingByte) {
  EXPECT_TRUE(ListsBefore("VTS_01_1.VOB", "vts_01_1.vob"));
  EXPECT_FALSE(ListsBefore("vts_01_1.vob", "VTS_01_1.VOB"));
  EXPECT_FALSE(ListsBefore("Same.vob", "Same.vob"));
  // The first raw difference decides, not a later one.
  EXPECT_TRUE(ListsBefore("Ab.vob", "aB.vob"));
  EXPECT_FALSE(ListsBefore("aB.vob", "Ab.vob"));
  // A raw difference never outweighs a later difference upper-cased.
  EXPECT_TRUE(ListsBefore("aX.vob", "Ay.vob"));
  EXPECT_FALSE(ListsBefore("Ay.vob", "aX.vob"));
  EXPECT_EQ(Sorted({"vts.vob", "VTS.VOB", "Vts.vob", "vTS.VOB"}),
            (std::vector<std::string>{"VTS.VOB", "Vts.vob", "vTS.VOB", "vts.vob"}));
}

// Bytes of UTF-8 sequences are not upper-cased and compare as unsigned, after all of ASCII.
TEST(DirOrder, BytesBeyondAsciiCompareUnsignedAndKeepTheirCase) {
  const std::string e_acute = "\xC3\xA9.vob";
  const std::string capital_e_acute = "\xC3\x89.vob";
  EXPECT_EQ(Sorted({e_acute, "~.vob", capital_e_acute, "z.vob"}),
            (std::vector<std::string>{"z.vob", "~.vob", capital_e_acute, e_acute}));
}

// The header names no file and is longer than the 50 characters the scan skips; each name
// follows on a line of its own, in dir's order, as spelled on disk.
TEST(VobListing, IsTheHeaderThenEveryVobNameOfInputInDirOrder) {
  MemoryFileSystem files;
  for (const char* name : {"VTS_01_1.VOB", "vtsa1234.vob", "readme.txt", "VTS01234.VOB", "DISC.VOB\\x.ifo"}) {
    files.files[std::string("input\\") + name] = "";
  }
  files.files["VTS_09_1.VOB"] = "";  // beside input, not in it
  const std::string header =
      " Volume in drive / has no label.\r\n Volume Serial Number is 0000-0000\r\n\r\n"
      " Directory of " +
      std::filesystem::current_path().string() + "/input\r\n\r\n";
  ASSERT_GT(header.size(), 50u);

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(WriteVobListing(files), std::nullopt);
  EXPECT_EQ(files.At(kListing), header + "DISC.VOB\r\nVTS01234.VOB\r\nvtsa1234.vob\r\nVTS_01_1.VOB\r\n");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  MemoryFileSystem empty;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(WriteVobListing(empty), std::nullopt);
  EXPECT_EQ(empty.At(kListing), header);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "File Not Found\n");
}

// A listing that cannot be opened is told as the interpreter tells a redirection it cannot set
// up; one cut short by a full disk or a failed close, by its reason alone.
TEST(VobListing, TellsAListingThatWasNotWritten) {
  using Failing = std::set<std::string> MemoryFileSystem::*;
  const struct {
    Failing failing;
    std::string reason;
    std::string complaint;
  } cases[] = {
      {&MemoryFileSystem::unwritable, testing::kNoRight, "Access denied.\n"},
      {&MemoryFileSystem::full, testing::kDiskFull, ""},
      {&MemoryFileSystem::failing_close, testing::kCloseFailed, ""},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.files["input\\VTS_01_1.VOB"] = "";
    (files.*c.failing).insert(kListing);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(WriteVobListing(files), c.reason);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.complaint) << c.reason;
  }
}

}  // namespace
}  // namespace kelvarro
