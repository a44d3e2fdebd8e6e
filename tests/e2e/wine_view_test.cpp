// The built programs on POSIX, where the batch file and the tools are Windows programs run by
// Wine: setup names its folder as Wine shows it to them (drive Z: for the root), and a folder
// that the batch file cannot carry as it is goes in by the short form that Wine's winepath
// gives. A stand-in winepath on the PATH says which short form and records how it was asked.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "support/dialogue_texts.h"
#include "support/install_tree.h"
#include "support/pty_session.h"

namespace kelvarro::testing {
namespace {

using namespace texts;

// How Wine names the POSIX folder `path` (which exists), with its final backslash.
std::string WineName(const std::string& path) {
  std::string name = "Z:" + std::filesystem::canonical(path).string() + "/";
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

// A winepath in `dir`/bin that answers `answer` (a line, as Wine ends it with CR LF) and ends
// by `ending`, after logging its arguments, WINEDEBUG and its standard input ("terminal" when
// that is one), with a complaint on its standard error, which must stay out of the dialogue. It
// leaves a Wine server behind, as a first start does, that holds whatever it was handed besides
// its standard streams for 20 s: setup must not wait for that.
std::string StandInWinepath(const TempDir& dir, const std::string& answer, const std::string& ending = "exit 0") {
  std::filesystem::create_directory(dir / "bin");
  const std::string script = dir / "bin/winepath";
  WriteBytes(script,
             "#!/bin/sh\n[ -t 0 ] && input=terminal || IFS= read -r input\nprintf '%s|%s|%s\\n' \"$*\" "
             "\"$WINEDEBUG\" \"$input\" >> '" +
                 dir / "winepath.log" + "'\n/bin/sleep 20 </dev/null >/dev/null 2>&1 &\nprintf '%s\\r\\n' '" + answer +
                 "'\necho 'err:winediag:nodrv_CreateWindow' >&2\n" + ending + "\n");
  chmod(script.c_str(), 0755);
  // Not in the first folder of the PATH: every folder is looked through, as for /usr/bin.
  return "PATH=/nonexistent:" + dir / "bin";
}

PtyOptions SetupWithPath(const TempDir& dir, const std::string& workdir, const std::string& argv0,
                         const std::string& path_setting) {
  PtyOptions options = RunIn(dir, KELVARRO_SETUP, argv0);
  options.workdir = workdir;
  options.environment = {path_setting};
  return options;
}

TEST(WineView, SetupStartedByAPathNamesItsFolderAsWineShowsIt) {
  TempDir dir;
  // Absolute, relative to the current directory, as "./setup" is, and at the root.
  const std::pair<std::string, std::string> cases[] = {
      {dir / "setup", WineName(dir.path())}, {"./setup", WineName(dir.path())}, {"/setup", "Z:\\"}};
  for (const auto& [argv0, folder] : cases) {
    PtySession session(SetupWithPath(dir, dir.path(), argv0, "PATH=/nonexistent"));
    ASSERT_TRUE(session.Expect("please choose the IDCT to use: ")) << argv0;
    ASSERT_TRUE(session.SendKey('2'));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(session.Transcript(), kClear + kBanner + kIdctMenu + "2") << argv0;
    EXPECT_EQ(ReadBytes(dir / "config.cfg"), folder + "\r\n-r1") << argv0;
  }
}

// A blank, a letter beyond ASCII, and ; , = ( ) each send setup to Wine for the short form.
TEST(WineView, FolderTheBatchFileCannotCarryGoesInByWinesShortForm) {
  for (const char* name : {"My Movies", "Дмитрий", "k;1", "a,b", "x=y", "f(1)"}) {
    TempDir dir;
    const std::string folder = dir / name;
    std::filesystem::create_directory(folder);
    const std::string path_setting = StandInWinepath(dir, "Z:\\TMP\\SHORT~1\\");
    PtySession session(SetupWithPath(dir, folder, folder + "/setup", path_setting));
    ASSERT_TRUE(session.Expect("please choose the IDCT to use: ")) << name;
    ASSERT_TRUE(session.SendKey('3'));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(session.Transcript(), kClear + kBanner + kShortFormWait + kIdctMenu + "3") << name;
    EXPECT_EQ(ReadBytes(folder + "/config.cfg"), "Z:\\TMP\\SHORT~1\\\r\n-r7") << name;
    // Asked once, for the folder as Windows programs name it; quietly, and not with the
    // terminal as its input, where the user's next keys wait. The Expect above has shown that
    // setup did not wait for the server that winepath left behind.
    EXPECT_EQ(ReadBytes(dir / "winepath.log"), "-s " + WineName(folder) + "|-all|\n") << name;
  }
}

TEST(WineView, WithoutAShortFormSetupSaysWhyAndTakesATypedPosixPathInWinesView) {
  struct Case {
    std::string answer;
    std::string ending;
    std::string why_not;
  };
  const Case cases[] = {
      {"", "exit 0", "Wine gives no short form for it"},
      {"/tmp/MY_M~1", "exit 0", "Wine gives no short form for it"},
      {"", "exit 1", "Wine could not start to give its short form (exit code 1)"},
      // What a winepath killed by a signal printed is no answer.
      {"Z:\\MYMOVI~1\\", "kill -KILL $$", "Wine could not start to give its short form (exit code 128)"},
      {"Z:\\My Movies\\", "exit 0", "it has no short form that a batch file can take"},
      {"Z:\\\xD0\x94\xD0\xB8\\", "exit 0", "it has no short form that a batch file can take"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string folder = dir / "My Movies";
    std::filesystem::create_directory(folder);
    PtySession session(SetupWithPath(dir, folder, folder + "/setup", StandInWinepath(dir, c.answer, c.ending)));
    ASSERT_TRUE(session.Expect(kPathQuestion)) << c.why_not;
    ASSERT_TRUE(session.SendLine("/home/ann/k/"));
    ASSERT_TRUE(session.Expect("please choose the IDCT to use: "));
    ASSERT_TRUE(session.SendKey('1'));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(session.Transcript(), kClear + kBanner + kShortFormWait + UnusableFolder(c.why_not) + kPathQuestion +
                                        "/home/ann/k/\n" + kIdctMenu + "1");
    EXPECT_EQ(ReadBytes(folder + "/config.cfg"), "Z:\\home\\ann\\k\\\r\n-r2");
  }
}

// A POSIX name may hold what no Windows name can, and a path may be too long for a Windows
// working directory: setup says why without asking Wine, whose answers for them are none or
// wrong, and asks for the path.
TEST(WineView, FolderNoWindowsProgramCanEnterIsRefusedWithItsReason) {
  const std::string no_name = "Windows programs cannot enter a folder named with one of \\ : * ? \" < > |";
  const std::string long_name = std::string(100, 'x') + "/" + std::string(100, 'y') + "/" + std::string(100, 'z');
  for (const std::string& name : {std::string("what?"), std::string("say \"hi\""), std::string("a*b"),
                                  std::string("back\\slash"), std::string("co:lon"), long_name}) {
    TempDir dir;
    const std::string folder = dir / name;
    std::filesystem::create_directories(folder);
    const std::string length = std::to_string(WineName(folder).size());
    const std::string why_not = name == long_name ? "its Windows path is " + length +
                                                        " characters long, more than a working directory takes (259)"
                                                  : no_name;
    PtySession session(SetupWithPath(dir, folder, folder + "/setup", StandInWinepath(dir, "Z:\\SHORT~1\\")));
    ASSERT_TRUE(session.Expect(kPathQuestion)) << name;
    ASSERT_TRUE(session.SendLine("/home/ann/k/"));
    ASSERT_TRUE(session.SendKey('1'));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(session.Transcript(),
              kClear + kBanner + UnusableFolder(why_not) + kPathQuestion + "/home/ann/k/\n" + kIdctMenu + "1")
        << name;
    EXPECT_FALSE(std::filesystem::exists(dir / "winepath.log")) << name;
  }
}

// config.cfg may name a folder that the batch file cannot carry (typed, or written before):
// the batch file takes its short form, in plain ASCII, while the list and the job script, read
// by the tools through their own file calls, keep the name as config.cfg holds it.
TEST(WineView, WizardWritesTheBatchFileInPlainAsciiByTheShortForm) {
  // Letters beyond ASCII, with nothing that the interpreter would cut; and a byte of another
  // code page, 0x80, the first that is not ASCII.
  const std::pair<std::string, std::string> cases[] = {
      {"Z:\\tmp\\\xD0\x94\xD0\xB8\xD0\xBC\\k\\", "Z:\\tmp\\____~1\\K\\"}, {"Z:\\tmp\\k\x80\\", "Z:\\tmp\\K_~1\\"}};
  for (const auto& [install_dir, short_form] : cases) {
    TempDir dir;
    MakeWizardInstall(dir);
    WriteBytes(dir / "config.cfg", install_dir + "\r\n-r1");
    PtyOptions options = RunIn(dir, KELVARRO_WIZARD, "wizard");
    options.environment = {StandInWinepath(dir, short_form)};
    PtySession session(options);
    for (const char key : kConstantKeys) ASSERT_TRUE(session.SendKey(key));
    EXPECT_EQ(session.Finish(), 0);
    EXPECT_EQ(ReadBytes(dir / "process.bat"), ConstantRunBatchFile(short_form)) << short_form;
    EXPECT_EQ(ReadBytes(dir / "input/movie.lst"), MovieList(install_dir)) << short_form;
    EXPECT_EQ(ReadBytes(dir / "winepath.log"), "-s " + install_dir + "|-all|\n") << short_form;
  }
}

}  // namespace
}  // namespace kelvarro::testing
