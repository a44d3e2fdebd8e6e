// Output that cannot be written. Standard output to a full device or to a pipe nobody reads
// stays silent, and the run goes on with its usual exit code. A file of the programs' own that
// cannot be written is told, and ends the run.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>

#include "support/dialogue_texts.h"
#include "support/golden_files.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

const std::string kJobScript = JobScriptFor("d:\\\\k\\\\");

void ExpectCompleteWizardFiles(const TempDir& dir) {
  EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir));
  EXPECT_EQ(ReadBytes(dir / "nandub/multi.vcf"), kJobScript);
  EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(kInstallDir));
}

// Standard output lost in two ways: every write fails (ENOSPC), or fails with EPIPE.
PtyOptions WithLostOutput(PtyOptions options, bool full_device) {
  if (full_device) {
    options.stdout_path = "/dev/full";
  } else {
    options.stdout_to_closed_pipe = true;
  }
  return options;
}

TEST(OutputFaults, WizardWithLostStandardOutputWritesEveryFile) {
  for (const bool full_device : {true, false}) {
    TempDir dir;
    MakeWizardInstall(dir);
    PtySession session(WithLostOutput(ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", kConstantKeys), full_device));
    EXPECT_EQ(session.Finish(), 0) << full_device;
    EXPECT_EQ(session.Transcript(), "") << full_device;  // and nothing on standard error
    ExpectCompleteWizardFiles(dir);
  }
}

TEST(OutputFaults, SetupWithLostStandardOutputWritesTheConfig) {
  for (const bool full_device : {true, false}) {
    TempDir dir;
    PtySession session(WithLostOutput(ScriptedRunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe", "2"), full_device));
    EXPECT_EQ(session.Finish(), 0) << full_device;
    EXPECT_EQ(session.Transcript(), "") << full_device;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), "C:\\k\\\r\n-r1") << full_device;
  }
}

namespace fs = std::filesystem;

// The ways a file refuses to be written on a real disk. The tests run as root, who ignores
// permission bits, so the program runs as nobody in a tree everyone may write, except for what
// the refusal makes read-only.
enum class Refusal { kDirectory, kFullDisk, kReadOnlyFile, kReadOnlyFolder };
constexpr Refusal kRefusals[] = {Refusal::kDirectory, Refusal::kFullDisk, Refusal::kReadOnlyFile,
                                 Refusal::kReadOnlyFolder};
const std::string kEarlier = "an earlier run's\r\n";

// Puts `refusal` in place for the file `relative` of `dir`; the reason the system gives.
std::string Refuse(const TempDir& dir, const std::string& relative, Refusal refusal) {
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir.path())) {
    if (entry.is_directory()) fs::permissions(entry.path(), fs::perms::all);
  }
  fs::permissions(dir.path(), fs::perms::all);
  const fs::path path = dir / relative;
  switch (refusal) {
    case Refusal::kDirectory:
      fs::create_directory(path);
      return std::strerror(EISDIR);
    case Refusal::kFullDisk:
      fs::create_symlink("/dev/full", path);
      return std::strerror(ENOSPC);
    case Refusal::kReadOnlyFile:
      WriteBytes(path, kEarlier);
      fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
      return std::strerror(EACCES);
    case Refusal::kReadOnlyFolder:
      fs::permissions(path.parent_path(),
                      fs::perms::all & ~fs::perms::owner_write & ~fs::perms::group_write & ~fs::perms::others_write);
      return std::strerror(EACCES);
  }
  return "";
}

// Runs a copy of the program in `dir`, which nobody may reach wherever the tests were built.
PtyOptions AsNobody(const TempDir& dir, PtyOptions options) {
  const std::string copy = dir / ("nobody-" + fs::path(options.program).filename().string());
  fs::copy_file(options.program, copy, fs::copy_options::overwrite_existing);
  options.program = copy;
  options.as_nobody = true;
  return options;
}

// Whether nobody can run a program here at all; not where the root folder is root's alone.
bool NobodyRunsPrograms() {
  static const bool runs = [] {
    TempDir dir;
    PtyOptions options;
    options.program = "/bin/true";
    PtySession session(AsNobody(dir, options));
    return session.Finish() == 0;
  }();
  return runs;
}

// Each file of the wizard that cannot be written ends the run at its step, in one line with
// the reason; then a key and exit code 1. What came before is complete, nothing comes after,
// a read-only file keeps its bytes, and no batch file is run or offered.
TEST(OutputFaults, WizardFileThatCannotBeWrittenEndsTheRunAtItsStep) {
  if (!NobodyRunsPrograms()) GTEST_SKIP() << "the user nobody can run no program on this machine";
  const std::string shown = ConstantRunShown();
  const struct {
    std::string path;
    std::string name;
    std::string before;
  } files[] = {{"input/movie.lst", "input\\movie.lst", ""},
               {"nandub/multi.vcf", "nandub\\multi.vcf", kClear + kWelcome + kRegion + "2"},
               {"process.bat", "process.bat", kClear + shown.substr(0, shown.find(kOffer))}};
  for (const auto& file : files) {
    for (const Refusal refusal : kRefusals) {
      TempDir dir;
      MakeWizardInstall(dir);
      // A wine that would show on the screen, had it been asked to run a batch file.
      fs::create_directory(dir / "bin");
      WriteBytes(dir / "bin/wine", "#!/bin/sh\necho wine ran \"$@\"\n");
      fs::permissions(dir / "bin/wine", fs::perms::all);
      const std::string reason = Refuse(dir, file.path, refusal);
      PtyOptions options = AsNobody(dir, ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", "20n51yk"));
      options.environment = {"PATH=" + dir / "bin"};
      PtySession session(options);
      const std::string what = file.path + " refused " + std::to_string(static_cast<int>(refusal));
      EXPECT_EQ(session.Finish(), 1) << what;
      EXPECT_EQ(session.Transcript(), file.before + NotWritten(file.name, reason)) << what;
      if (file.path != "input/movie.lst") {
        EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(kInstallDir));
      }
      if (refusal == Refusal::kReadOnlyFile) {
        EXPECT_EQ(ReadBytes(dir / file.path), kEarlier) << what;
      }
      if (file.path != "process.bat") {
        EXPECT_FALSE(fs::exists(dir / "process.bat")) << what;
      }
    }
  }
}

// An output\ that nobody may write is told before the batch file runs.
TEST(OutputFaults, WizardTellsAnOutputFolderItCannotWriteBeforeTheRun) {
  if (!NobodyRunsPrograms()) GTEST_SKIP() << "the user nobody can run no program on this machine";
  TempDir dir;
  MakeWizardInstall(dir);
  WriteBytes(dir / "config.cfg", "");  // made for any folder
  for (const char* sub : {"bin", "progs", "output"}) fs::create_directory(dir / sub);
  for (const char* file : {"bin/wine", "progs/m2apx3g.exe", "progs/azid.exe", "progs/lame.exe", "nandub/nandub.exe"})
    WriteBytes(dir / file, "#!/bin/sh\necho wine ran\n");
  const std::string reason = Refuse(dir, "output/output.avi", Refusal::kReadOnlyFolder);
  fs::permissions(dir / "bin/wine", fs::perms::all);
  PtyOptions options = AsNobody(dir, ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", "20n51yk"));
  options.environment = {"PATH=" + dir / "bin"};
  PtySession session(options);
  EXPECT_EQ(session.Finish(), 1);
  const std::string shown = session.Transcript();
  EXPECT_EQ(shown.substr(shown.rfind(kOffer)),
            kOffer + "y\nuh-oh... i can't write into the folder output\\: " + reason + "!\n\n");
}

// The listing is this run's own: one left by an earlier run as root is removed and made anew,
// and one that cannot be is told, as is one that cannot be written, instead of "no vob files".
TEST(OutputFaults, WizardScansOnlyAListingOfThisRun) {
  if (!NobodyRunsPrograms()) GTEST_SKIP() << "the user nobody can run no program on this machine";
  const std::string listing = "temp/menulst.tmp";
  const std::string old_listing = std::string(60, '-') + "\r\n VTS_09_1.VOB\r\n";
  const std::string no_right = NotWritten("temp\\menulst.tmp", std::strerror(EACCES));
  const struct {
    Refusal refusal;
    bool earlier_listing;
    std::string shown;
  } cases[] = {
      {Refusal::kDirectory, false, NotWritten("temp\\menulst.tmp", std::strerror(EISDIR))},
      {Refusal::kReadOnlyFolder, true, no_right},
      {Refusal::kReadOnlyFolder, false, "Access denied.\n" + no_right},
      {Refusal::kFullDisk, false, ""},  // the link is removed like any earlier listing
      {Refusal::kReadOnlyFile, true, ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    MakeWizardInstall(dir);
    if (c.earlier_listing) WriteBytes(dir / listing, old_listing);
    Refuse(dir, listing, c.refusal);
    PtySession session(AsNobody(dir, ScriptedRunIn(dir, KELVARRO_WIZARD, "wizard", kConstantKeys)));
    const std::string what = "listing refused " + std::to_string(static_cast<int>(c.refusal));
    if (c.shown.empty()) {
      EXPECT_EQ(session.Finish(), 0) << what;
      ExpectCompleteWizardFiles(dir);
    } else {
      EXPECT_EQ(session.Finish(), 1) << what;
      EXPECT_EQ(session.Transcript(), c.shown) << what;
    }
  }
}

// A listing cut short by the file-size limit is told with its reason, and the run stops before
// movie.lst, so that no list holds a part of the movie.
TEST(OutputFaults, WizardTellsAListingCutShortByTheFileSizeLimit) {
  TempDir dir;
  MakeWizardInstall(dir);
  for (int i = 10; i < 110; ++i) WriteBytes(dir / ("input/VTS_" + std::to_string(i) + "_1.VOB"), "");
  PtyOptions options = ScriptedRunIn(dir, "/bin/sh", "sh", kConstantKeys);
  // A limit of a block or two; with the signal ignored, the write past it fails with EFBIG.
  options.argv = {"sh", "-c", "trap '' XFSZ; ulimit -f 1; exec \"$0\"", KELVARRO_WIZARD};
  PtySession session(options);
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_EQ(session.Transcript(), NotWritten("temp\\menulst.tmp", std::strerror(EFBIG)));
  EXPECT_FALSE(std::filesystem::exists(dir / "input/movie.lst"));
}

// Whether anything, even a dangling link, was left beside config.cfg.
bool LeftBeside(const TempDir& dir) { return fs::exists(fs::symlink_status(dir / "config.cfg.new")); }

// The new file beside config.cfg that cannot take a byte (the file-size limit at zero, its
// signal ignored) is told after the answer and removed; config.cfg keeps its bytes.
TEST(OutputFaults, SetupKeepsItsConfigWhenTheNewOneCannotBeWritten) {
  TempDir dir;
  WriteBytes(dir / "config.cfg", kEarlier);
  PtyOptions options = ScriptedRunIn(dir, "/bin/bash", "bash", "2k");
  options.argv = {"bash", "-c", "trap '' XFSZ; ulimit -f 0; exec -a 'C:\\k\\setup.exe' \"$0\"", KELVARRO_SETUP};
  PtySession session(options);
  EXPECT_EQ(session.Finish(), 1);
  EXPECT_EQ(session.Transcript(), kClear + kBanner + kIdctMenu + "2" + NotWritten("config.cfg", std::strerror(EFBIG)));
  EXPECT_EQ(ReadBytes(dir / "config.cfg"), kEarlier);
  EXPECT_FALSE(LeftBeside(dir));
}

// config.cfg that cannot be written is told in one line: right after the banner when it cannot
// be opened, after the answer when the write fails. Then a key and exit code 1, and what was
// there stays, with nothing left beside it.
TEST(OutputFaults, SetupTellsAConfigThatCannotBeWrittenAndKeepsIt) {
  if (!NobodyRunsPrograms()) GTEST_SKIP() << "the user nobody can run no program on this machine";
  const std::string chosen = kClear + kBanner + kIdctMenu + "2";
  for (const Refusal refusal : kRefusals) {
    TempDir dir;
    const std::string reason = Refuse(dir, "config.cfg", refusal);
    PtySession session(AsNobody(dir, ScriptedRunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe", "2k")));
    EXPECT_EQ(session.Finish(), 1) << static_cast<int>(refusal);
    EXPECT_EQ(session.Transcript(),
              (refusal == Refusal::kFullDisk ? chosen : kClear + kBanner) + NotWritten("config.cfg", reason));
    EXPECT_FALSE(LeftBeside(dir)) << static_cast<int>(refusal);
    if (refusal == Refusal::kReadOnlyFile) {
      EXPECT_EQ(ReadBytes(dir / "config.cfg"), kEarlier);
    }
    if (refusal == Refusal::kReadOnlyFolder) {
      EXPECT_FALSE(fs::exists(dir / "config.cfg"));
    }
    if (refusal == Refusal::kFullDisk) {
      EXPECT_TRUE(fs::is_symlink(dir / "config.cfg"));
    }
  }
}

// Where no new file can take config.cfg's place, it is written in place: in a folder that lets
// only the file be written, and through a link, which stays a link. A FIFO is refused at once,
// without waiting for a reader. A stale link beside it is not followed: the new file takes its
// place, with the old one's mode. Nothing is ever left beside it.
TEST(OutputFaults, SetupWritesAConfigInPlaceWhereNoNewFileCanTakeItsPlace) {
  if (!NobodyRunsPrograms()) GTEST_SKIP() << "the user nobody can run no program on this machine";
  enum class Stands { kInAFolderOnlyItMayBeWrittenIn, kAsALinkToAFile, kAsAFifo, kBesideAStaleLinkToAFullDisk };
  const std::string chosen = kClear + kBanner + kIdctMenu + "2";
  const std::string written = "C:\\k\\\r\n-r1";
  const struct {
    Stands stands;
    int exit_code;
    std::string shown;
    std::string bytes;  // of config.cfg or the file it links to
  } cases[] = {
      {Stands::kInAFolderOnlyItMayBeWrittenIn, 0, chosen, written},
      {Stands::kAsALinkToAFile, 0, chosen, written},
      {Stands::kAsAFifo, 1, kClear + kBanner + NotWritten("config.cfg", std::strerror(ENXIO)), ""},
      {Stands::kBesideAStaleLinkToAFullDisk, 0, chosen, written},
  };
  for (const auto& c : cases) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);
    const std::string config = dir / "config.cfg";
    std::string target = config;
    switch (c.stands) {
      case Stands::kInAFolderOnlyItMayBeWrittenIn:
        WriteBytes(config, kEarlier);
        Refuse(dir, "config.cfg", Refusal::kReadOnlyFolder);
        break;
      case Stands::kAsALinkToAFile:
        target = dir / "kept.cfg";
        WriteBytes(target, kEarlier);
        fs::create_symlink("kept.cfg", config);
        break;
      case Stands::kAsAFifo:
        ASSERT_EQ(mkfifo(config.c_str(), 0666), 0);
        break;
      case Stands::kBesideAStaleLinkToAFullDisk:
        WriteBytes(config, kEarlier);
        fs::create_symlink("/dev/full", dir / "config.cfg.new");
        break;
    }
    fs::permissions(config, fs::perms::all);
    PtySession session(AsNobody(dir, ScriptedRunIn(dir, KELVARRO_SETUP, "C:\\k\\setup.exe", "2k")));
    const int what = static_cast<int>(c.stands);
    EXPECT_EQ(session.Finish(), c.exit_code) << what;
    EXPECT_EQ(session.Transcript(), c.shown) << what;
    EXPECT_FALSE(LeftBeside(dir)) << what;
    if (c.stands == Stands::kAsAFifo) {
      EXPECT_TRUE(fs::is_fifo(config));
    } else {
      EXPECT_EQ(ReadBytes(target), c.bytes) << what;
      EXPECT_EQ(fs::is_symlink(config), c.stands == Stands::kAsALinkToAFile) << what;
    }
    EXPECT_TRUE(c.stands != Stands::kBesideAStaleLinkToAFullDisk || fs::status(config).permissions() == fs::perms::all);
  }
}

}  // namespace
}  // namespace kelvarro::testing
