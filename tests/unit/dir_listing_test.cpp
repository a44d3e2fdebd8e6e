#include "wizard/dir_listing.h"

#include <gtest/gtest.h>

namespace kelvarro {
namespace {

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

TEST(DirListing, NoEntriesGiveTheHeaderAlone) {
  EXPECT_EQ(FormatDirListing("/d/input", {}),
            " Volume in drive / has no label.\r\n Volume Serial Number is 0000-0000\r\n\r\n"
            " Directory of /d/input\r\n\r\n");
}

}  // namespace
}  // namespace kelvarro
