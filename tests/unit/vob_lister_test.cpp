#include "wizard/vob_lister.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"

namespace kelvarro {
namespace {

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;

const std::string kListing = "temp\\menulst.tmp";
const std::string kList = "input\\movie.lst";

using Strings = std::vector<std::string>;

// The names the scan hands on for `listing`.
Strings Names(const std::string& listing) {
  Strings names;
  ScanVobListing(listing, [&](const std::string& name) { names.push_back(name); });
  return names;
}

const std::string kWindowsListing =
    " Volume in drive C is SYSTEM\r\n Volume Serial Number is 1A2B-3C4D\r\n\r\n"
    " Directory of C:\\dvd\\input\r\n\r\n"
    "07.12.2026  19:30     1.073.709.056 VTS_01_0.VOB\r\n"
    "07.12.2026  19:30     1.073.709.056 VTS_01_1.VOB\r\n"
    "07.12.2026  19:31       402.653.184 VTS_01_2.VOB\r\n"
    "               3 File(s)  2.550.071.296 bytes\r\n"
    "               0 Dir(s)  83.054.264.320 bytes free\r\n";

const std::string kWineListing =
    "Volume in drive Z has no label.\r\nVolume Serial Number is 5a00-0000\r\n\r\n"
    "Directory of Z:\\tmp\\wt\\input\r\n\r\n"
    " 12/7/2026   7:30 AM             0  VTS_01_0.VOB\r\n"
    " 12/7/2026   7:30 AM             0  VTS_01_1.VOB\r\n"
    " 12/7/2026   7:30 AM             0  VTS_01_2.VOB\r\n"
    "       3 files                        0 bytes\r\n"
    "       0 directories     83,054,264,320 bytes free\r\n\r\n";

// The files of a movie in input\, as the wizard names them.
void AddVobFiles(MemoryFileSystem& files, const Strings& names) {
  for (const std::string& name : names) files.files["input\\" + name] = "";
}

// The list VobLister writes for `listing` among `files`, for install directory c:\dvd\.
std::string ListFor(const std::string& listing, MemoryFileSystem& files, bool expect_none_found = false) {
  RecordingInterpreter interpreter;
  interpreter.action = [&](const std::string&) { files.files[kListing] = listing; };
  const VobDiscovery found = VobLister(interpreter, files, "c:\\dvd\\");
  EXPECT_EQ(found.none_found, expect_none_found);
  EXPECT_FALSE(found.failure.has_value());
  EXPECT_EQ(interpreter.operations, Strings{testing::kListVobFiles});
  EXPECT_EQ(files.At(kListing), listing) << "the listing is left in place";
  return files.At(kList);
}

const std::string kThreeVobLines =
    "c:\\dvd\\input\\VTS_01_0.VOB\r\nc:\\dvd\\input\\VTS_01_1.VOB\r\nc:\\dvd\\input\\VTS_01_2.VOB\r\n";

TEST(VobLister, ListsEveryVobOfARealListingInOrder) {
  for (const std::string& listing : {kWindowsListing, kWineListing}) {
    MemoryFileSystem files;
    files.files[kList] = "an older movie's list\r\n";
    AddVobFiles(files, {"VTS_01_2.VOB", "VTS_01_0.VOB", "VTS_01_1.VOB"});
    EXPECT_EQ(ListFor(listing, files), kThreeVobLines);
  }
}

// What the scan finds beside the real names (header text around an install directory that
// holds the letters, a directory called x.vob, the tail of a long name) names no file in
// input\ and gives no line; the real names keep their lines, in their order.
TEST(VobLister, WritesOnlyNamesUnderWhichAFileStandsInInput) {
  std::string listing = kWindowsListing;
  listing.replace(listing.find("C:\\dvd"), 6, "D:\\DVD-VOBs\\kelvarro");
  const std::string first_file = "07.12.2026  19:30     1.073.709.056 VTS_01_0.VOB";
  listing.insert(listing.find(first_file),
                 "07.12.2026  19:29    <DIR>          x.vob\r\n"
                 "07.12.2026  19:29                 0 MOVIE_PART1.VOB\r\n");
  const Strings found = Names(listing);
  ASSERT_EQ(found.size(), 6u) << "the scan itself finds them all";
  EXPECT_EQ(found[0], "fD:\\DVD-VOBs");
  EXPECT_EQ(found[1], "x.vob07.12.2") << "the directory's name runs on into the next line";
  EXPECT_EQ(found[2], "IE_PART1.VOB");

  MemoryFileSystem files;
  AddVobFiles(files, {"VTS_01_0.VOB", "VTS_01_1.VOB", "VTS_01_2.VOB", "MOVIE_PART1.VOB"});
  EXPECT_EQ(ListFor(listing, files), kThreeVobLines);

  // Where a file does stand under a found name, that name has its line as found; but a name
  // with a path separator in it is not one of input\ itself, whatever it reaches.
  AddVobFiles(files, {found[0], found[1], found[2]});
  EXPECT_EQ(ListFor(listing, files),
            "c:\\dvd\\input\\x.vob07.12.2\r\nc:\\dvd\\input\\IE_PART1.VOB\r\n" + kThreeVobLines);

  // Names found, but none of a file: the same as none found.
  MemoryFileSystem empty_input;
  EXPECT_EQ(ListFor(listing, empty_input, true), "");
}

// A listing of the header alone is nothing found. Every other way the listing or the list can
// fail ends the discovery with the file and the reason where it is known; a listing of an
// earlier run is never scanned, and the list of an earlier movie never survives a listing.
TEST(VobLister, TellsAListingOrAListThatWasNotWritten) {
  using Failing = std::set<std::string> MemoryFileSystem::*;
  const struct {
    std::optional<std::string> written;  // what the interpreter writes; nothing: an earlier one stays
    Failing failing;                     // with `path`
    std::string path;
    std::string failed_file;  // empty: none found, no failure
    std::string reason;
  } cases[] = {
      {kWineListing.substr(0, kWineListing.find(" 12/7")), nullptr, "", "", ""},
      {std::nullopt, nullptr, "", kListing, ""},
      {kWineListing, &MemoryFileSystem::unreadable, kListing, kListing, ""},
      {std::string(50, '-'), nullptr, "", kListing, ""},  // the 50 characters never examined, no more
      {std::nullopt, &MemoryFileSystem::unwritable, kListing, kListing, testing::kNoRight},
      {kWineListing, &MemoryFileSystem::unwritable, kList, kList, testing::kNoRight},
      {kWineListing, &MemoryFileSystem::full, kList, kList, testing::kDiskFull},
      {kWineListing, &MemoryFileSystem::failing_close, kList, kList, testing::kCloseFailed},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    AddVobFiles(files, {"VTS_01_0.VOB", "VTS_01_1.VOB", "VTS_01_2.VOB"});
    files.files[kList] = "an older movie's list\r\n";
    files.files[kListing] = kWineListing;
    if (c.failing != nullptr) (files.*c.failing).insert(c.path);
    RecordingInterpreter interpreter;
    interpreter.action = [&](const std::string&) {
      if (c.written) files.files[kListing] = *c.written;
    };
    const VobDiscovery found = VobLister(interpreter, files, "c:\\dvd\\");
    const std::string what = c.failed_file + " " + c.path + " " + c.reason;
    EXPECT_TRUE(found.none_found) << what;
    EXPECT_EQ(found.failure ? found.failure->file + found.failure->reason : "", c.failed_file + c.reason) << what;
    if (c.failed_file != kList && c.failing != &MemoryFileSystem::unwritable) {
      EXPECT_EQ(files.At(kList), "") << what;
    }
  }
  // What the interpreter says of a listing it could not write is told.
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  interpreter.listing_failure = "Access denied";
  EXPECT_EQ(VobLister(interpreter, files, "").failure->reason, "Access denied");
}

TEST(VobScan, NameIsTheTwelveCharactersEndingAtTheExtension) {
  const std::string header(60, '-');
  EXPECT_EQ(Names(header + "\r\n vts_01_1.vob\r\n"), Strings{"vts_01_1.vob"});
  EXPECT_EQ(Names(header + "\r\n MOVIE_PART1.VOB\r\n"), Strings{"IE_PART1.VOB"});
  // Shorter names start in the text before them and run on into the text after them.
  EXPECT_EQ(Names(header + "\r\n 1 234  A.VOB\r\n 5 xyz"), Strings{"1234A.VOB5xy"});
  // The letters inside a name count too, even where the names then overlap.
  EXPECT_EQ(Names(header + " ABVOBCDE.VOB "), (Strings{"------ABVOBC", "ABVOBCDE.VOB"}));
  // Letters of a failed attempt are consumed: none of them starts a new one.
  EXPECT_EQ(Names(header + " vvob vovob vv o b xxxxxxxxxxx"), Strings{});
  // The letters count wherever they stand behind the first fifty characters, even in a header.
  std::string vobs_dir = kWindowsListing;
  vobs_dir.replace(vobs_dir.find("dvd"), 3, "vobs");
  EXPECT_EQ(Names(vobs_dir), (Strings{"ryofC:\\vobs\\", "VTS_01_0.VOB", "VTS_01_1.VOB", "VTS_01_2.VOB"}));
  // The first fifty characters are never examined; the name may reach back into them.
  EXPECT_EQ(Names(std::string(49, '-') + "v o\r\nb"), Strings{});
  EXPECT_EQ(Names(std::string(49, '-') + " v o\r\nb"), Strings{"--------vob"});
}

TEST(VobScan, ACrLfPairIsOnePositionAndAListingMayEndAnywhere) {
  // Nine positions before the 'V': . B A (line end) Z Y X W U
  const std::string header(60, '-');
  EXPECT_EQ(Names(header + "TUWXYZ\r\nAB.VOB rest"), Strings{"UWXYZAB.VOBr"});
  EXPECT_EQ(Names(header + "TUWXYZ\nAB.VOB rest"), Strings{"UWXYZAB.VOBr"});
  EXPECT_EQ(Names(header + "TUWXYZ\n\rAB.VOB rest"), Strings{"WXYZAB.VOBre"});
  EXPECT_EQ(Names(std::string(49, '-') + "\r\nvob"), Strings{"--------vob"});
  // The fifty characters never examined count a CR LF pair once too.
  const std::string three_line_ends = "\r\n\r\n\r\n";
  EXPECT_EQ(Names(three_line_ends + std::string(44, '-') + "vob"), Strings{});
  EXPECT_EQ(Names(three_line_ends + std::string(47, '-') + "vob"), Strings{"---------vob"});
  // A name cut short by the end of the listing keeps what was there.
  EXPECT_EQ(Names(header + " \r\n  \r\n  A.VOB X"), Strings{"A.VOBX"});
  for (const char* tail : {"", "v", "vo", "vo \r\n"}) EXPECT_EQ(Names(header + tail), Strings{});
  EXPECT_EQ(Names(std::string(47, ' ') + "vob"), Strings{});
}

}  // namespace
}  // namespace kelvarro
