#include "wizard/dir_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace kelvarro {
namespace {

namespace fs = std::filesystem;

DirEntry File(const std::string& name, std::uint64_t size) {
  DirEntry entry;
  entry.name = name;
  entry.size = size;
  entry.modified.tm_year = 126;
  entry.modified.tm_mon = 11;
  entry.modified.tm_mday = 7;
  entry.modified.tm_hour = 19;
  entry.modified.tm_min = 5;
  return entry;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return ListsBefore(a, b); });
  return names;
}

// Every block the listing is handed on in.
class BlockRecorder : public OutputFile {
 public:
  void Write(std::string_view bytes) override { blocks.emplace_back(bytes); }
  std::string Close() override { return {}; }
  std::string Joined() const {
    std::string all;
    for (const std::string& block : blocks) all += block;
    return all;
  }
  std::vector<std::string> blocks;
};

TEST(VobPattern, MatchesTheExtensionWithoutRegardToCase) {
  EXPECT_TRUE(MatchesVobPattern("VTS_01_1.VOB"));
  EXPECT_TRUE(MatchesVobPattern("a.vOb"));
  EXPECT_TRUE(MatchesVobPattern(".vob"));
  EXPECT_FALSE(MatchesVobPattern("vob"));
  EXPECT_FALSE(MatchesVobPattern("movie.vob.bak"));
  EXPECT_FALSE(MatchesVobPattern("movie_vob"));
}

TEST(DirListing, HeaderIsLongerThanFiftyCharactersAndNamesNoFile) {
  const std::string listing = FormatDirListing("/home/user/kelvarro/input", {File("VTS_01_1.VOB", 1)});
  const std::size_t first_name = listing.find("VTS_01_1.VOB");
  ASSERT_NE(first_name, std::string::npos);
  EXPECT_GT(first_name, 50u);
  EXPECT_EQ(listing.substr(0, 50).find("VTS"), std::string::npos);
}

TEST(DirListing, SortsWithoutRegardToCaseAndKeepsEachSpelling) {
  const std::string listing = FormatDirListing(
      "/d/input", {File("vts_01_2.vob", 5), File("VTS_01_1.VOB", 1234567), File("MOVIE_PART1.VOB", 0)});
  EXPECT_EQ(listing,
            " Volume in drive / has no label.\r\n"
            " Volume Serial Number is 0000-0000\r\n"
            "\r\n"
            " Directory of /d/input\r\n"
            "\r\n"
            "12/07/2026  07:05 PM                 0 MOVIE_PART1.VOB\r\n"
            "12/07/2026  07:05 PM         1,234,567 VTS_01_1.VOB\r\n"
            "12/07/2026  07:05 PM                 5 vts_01_2.vob\r\n"
            "               3 File(s)      1,234,572 bytes\r\n"
            "               0 Dir(s)\r\n");
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

TEST(DirListing, DirectoriesAndSizesWiderThanTheirColumns) {
  DirEntry folder = File("DISC.VOB", 4096);
  folder.is_directory = true;
  const std::string listing =
      FormatDirListing("/d/input", {File("b.vob", 18446744073709551615u), folder, File("a.vob", 0)});
  EXPECT_NE(listing.find("\r\n12/07/2026  07:05 PM                 0 a.vob\r\n"
                         "12/07/2026  07:05 PM 18,446,744,073,709,551,615 b.vob\r\n"
                         "12/07/2026  07:05 PM    <DIR>          DISC.VOB\r\n"
                         "               2 File(s) 18,446,744,073,709,551,615 bytes\r\n"
                         "               1 Dir(s)\r\n"),
            std::string::npos)
      << listing;
}

// A listing of thousands of files reaches its file in several blocks, none larger than the
// block size and each ending on a whole line, with every line in order.
TEST(DirListing, ArrivesInBoundedBlocksOfWholeLines) {
  std::vector<DirEntry> entries;
  for (int i = 0; i < 3000; ++i) entries.push_back(File("MOVIE" + std::to_string(10000 + i) + ".VOB", 1));
  std::shuffle(entries.begin(), entries.end(), std::mt19937(7));
  BlockRecorder out;
  WriteDirListing("/d/input", entries, out);

  ASSERT_GT(out.blocks.size(), 1u);
  for (const std::string& block : out.blocks) {
    EXPECT_LE(block.size(), kListingBlockSize);
    EXPECT_EQ(block.substr(block.size() - 2), "\r\n");
  }
  const std::string listing = out.Joined();
  std::size_t at = 0;
  for (int i = 0; i < 3000; ++i) {
    at = listing.find(" MOVIE" + std::to_string(10000 + i) + ".VOB\r\n", at);
    ASSERT_NE(at, std::string::npos) << i;
  }
  EXPECT_NE(listing.find("            3000 File(s)          3,000 bytes\r\n"), std::string::npos);
}

TEST(DirListing, NoEntriesGiveTheHeaderAlone) {
  EXPECT_EQ(FormatDirListing("/d/input", {}),
            " Volume in drive / has no label.\r\n Volume Serial Number is 0000-0000\r\n\r\n"
            " Directory of /d/input\r\n\r\n");
}

// The listing of a real install tree: each name is looked up inside input, whatever the
// current directory holds under the same name.
class VobListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    std::random_device random;
    dir_ = fs::temp_directory_path() / ("kelvarro-listing-" + std::to_string(random()));
    fs::create_directories(dir_ / "temp");
    fs::create_directories(dir_ / "input");
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  static void Make(const fs::path& path, std::size_t size) {
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
  }
  static std::string Listing() {
    std::ifstream in("temp/menulst.tmp", std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  fs::path previous_;
  fs::path dir_;
};

TEST_F(VobListingTest, ListsTheVobFilesOfInputInDirOrderWithTheirSizes) {
  Make("input/VTS_01_1.VOB", 1500);
  Make("input/vtsa1234.vob", 2);
  Make("input/VTS01234.VOB", 0);
  Make("input/readme.txt", 7);
  fs::create_directory("input/DISC.VOB");
  fs::create_symlink("missing.vob", "input/dangling.vob");
  Make("VTS01234.VOB", 999);  // the same name beside input, which must not be looked at

  WriteVobListing();
  const std::string listing = Listing();
  const std::string header =
      " Volume in drive / has no label.\r\n Volume Serial Number is 0000-0000\r\n\r\n"
      " Directory of " +
      fs::current_path().string() + "/input\r\n\r\n";
  ASSERT_EQ(listing.substr(0, header.size()), header);
  // The file lines without their date and time, which follow the local time zone.
  std::vector<std::string> lines;
  std::istringstream rest(listing.substr(header.size()));
  for (std::string line; std::getline(rest, line);) {
    lines.push_back(line.size() > 21 && line[2] == '/' ? line.substr(21) : line);
  }
  EXPECT_EQ(lines,
            (std::vector<std::string>{"   <DIR>          DISC.VOB\r", "                0 VTS01234.VOB\r",
                                      "                2 vtsa1234.vob\r", "            1,500 VTS_01_1.VOB\r",
                                      "               3 File(s)          1,502 bytes\r", "               1 Dir(s)\r"}));
}

}  // namespace
}  // namespace kelvarro
