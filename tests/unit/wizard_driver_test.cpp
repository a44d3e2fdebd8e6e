#include "wizard/wizard_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/config_file.h"
#include "support/dialogue_texts.h"
#include "support/disc_fixtures.h"
#include "support/folder_naming.h"
#include "support/golden_files.h"
#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"
#include "support/scripted_console.h"
#include "wizard/conversion_steps.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

using namespace testing::texts;

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
using testing::ScriptedConsole;

using testing::kClearScreen;
using testing::kListVobFiles;
using testing::kRunBatchFile;

using Operations = std::vector<std::string>;
const std::string kDir = "d:\\divxstuff\\kelvarro0.7.1\\";

// A console that lets a test look at the world each time something is printed.
class WatchedConsole : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  std::function<void(std::string_view)> on_write;
  void Write(std::string_view text) override {
    if (on_write) on_write(text);
    ScriptedConsole::Write(text);
  }
};

// What the four lines of the batch file write, in order, for stream 0x80.
const std::vector<std::string> kStepFiles = {kDecoderStep.writes, SoundFile("0x80"), kSoundDecoderStep.writes,
                                             kEncoderStep.writes, kJoinerStep.writes};

// An install directory with config.cfg, the given VOB files, which "dir" lists, and the four
// tools, whose run makes the first `made` of the steps' files.
struct Install {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  std::size_t made = kStepFiles.size();
  std::string made_bytes = "made by this run";

  explicit Install(const std::vector<std::string>& vobs = {"VTS_01_1.VOB", "VTS_01_2.VOB"},
                   const std::string& config = kDir + "\r\n-r1") {
    files.files["config.cfg"] = config;
    for (const std::string& name : vobs) files.files["input\\" + name] = "";
    for (const ConversionStep& step : kConversionSteps) files.files[step.tool] = "a tool";
    interpreter.action = [this, vobs](const std::string& operation) {
      if (operation == kRunBatchFile) {
        for (std::size_t i = 0; i < made; ++i) files.files[kStepFiles[i]] = made_bytes;
      }
      if (operation != kListVobFiles) return;
      std::string listing =
          " Volume in drive D is DVD\r\n Volume Serial Number is 1234-ABCD\r\n\r\n Directory of D:\\dvd\\input\r\n\r\n";
      for (const std::string& name : vobs) listing += "07/12/2026  07:30 PM             1,024 " + name + "\r\n";
      files.files["temp\\menulst.tmp"] = listing;
    };
  }
};

TEST(WizardDriver, MissingConfigPrintsOnlyTheMessageAndWaitsForAnUnechoedKey) {
  MemoryFileSystem files;
  RecordingInterpreter interpreter;
  ScriptedConsole console("q");
  EXPECT_EQ(RunWizard(console, interpreter, files, testing::NoShortForm()), 1);
  EXPECT_EQ(console.Output(), kNoConfig);
  EXPECT_TRUE(interpreter.operations.empty());
}

// No Windows path is longer than 32,767 characters: a longer install directory ends the run
// with a message of its own, before anything is listed; one of that length is taken.
TEST(WizardDriver, InstallDirLongerThanAnyWindowsPathEndsTheRunAtOnce) {
  {
    Install install({"VTS_01_1.VOB"}, std::string(kLongestWindowsPath + 1, 'a') + "\r\n-r1");
    ScriptedConsole console("q");
    EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 1);
    EXPECT_EQ(console.Output(),
              "\nuh-oh... looks like the install dir in config.cfg is longer than any windows path!\n\n");
    EXPECT_TRUE(install.interpreter.operations.empty());
  }
  const std::string longest(kLongestWindowsPath, 'a');
  Install install({"VTS_01_1.VOB"}, longest + "\r\n-r1");
  ScriptedConsole console("");
  EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 1);
  EXPECT_EQ(install.files.At("input\\movie.lst"), longest + "input\\VTS_01_1.VOB\r\n");
}

// Also when the only name found is the tail of a long name, which names no file. VOB files one
// folder down, as a disc's folder copied whole leaves them, are pointed at; other folders not.
TEST(WizardDriver, NoVobFilesPrintsOnlyTheSecondMessageAndLeavesAnEmptyList) {
  const std::string hint = "the vob files seem to be in input\\VIDEO_TS\\: please copy them into input\\ itself!\n\n";
  const struct {
    std::vector<std::string> vobs;
    std::vector<std::string> elsewhere;
    std::string shown;
  } cases[] = {
      {{}, {}, kNoVob},
      {{"MOVIE_PART1.VOB"}, {"input\\AUDIO_TS\\VIDEO_TS.IFO", "input\\extras\\notes.txt"}, kNoVob},
      {{},
       {"input\\AUDIO_TS\\VIDEO_TS.IFO", "input\\VIDEO_TS\\VIDEO_TS.IFO", "input\\VIDEO_TS\\VTS_01_1.VOB"},
       kNoVob + hint},
      {{},
       {"input\\MOVIE_PART1.VOB", "input\\VIDEO_TS\\VTS_01_1.VOB"},
       kNoVob + hint +
           "input\\MOVIE_PART1.VOB is left out of the movie, since its name is not eight characters, a dot and three: "
           "rename it, for example to VTS_01_1.VOB, and start the wizard again.\n\n"},
  };
  for (const auto& [vobs, elsewhere, shown] : cases) {
    Install install(vobs);
    // A real title under the name the listing drops, made-up files elsewhere.
    for (const std::string& path : elsewhere) {
      install.files.files[path] = path == "input\\MOVIE_PART1.VOB" ? testing::DiscFixture("ntsc_film.vob") : "";
    }
    install.files.files["input\\movie.lst"] = "d:\\old\\input\\VTS_09_1.VOB\r\n";
    ScriptedConsole console("q");
    EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 1);
    EXPECT_EQ(console.Output(), shown);
    EXPECT_EQ(install.interpreter.operations, Operations{kListVobFiles});
    EXPECT_EQ(install.files.At("input\\movie.lst"), "");
    EXPECT_FALSE(install.files.Has("process.bat"));
  }
}

TEST(WizardDriver, ConstantBitrateRunShowsEveryQuestionInOrderAndWritesBothFiles) {
  Install install;
  ScriptedConsole console("20N51nz");
  EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 0);
  EXPECT_EQ(console.Output(),
            "welcome to kelvarro 0.7.31\n"
            "\nplease choose the region code of the DVD (1 or 2): 2"
            "\n\nplease choose the audiostream (0-9): 0"
            "\n\ndo you want to use VBR for the mp3 audio (y/n)? N"
            "\n\n[1]\t64 kbit/s\n[2]\t80 kbit/s\n[3]\t96 kbit/s\n[4]\t112 kbit/s\n[5]\t128 kbit/s\n"
            "[6]\t160 kbit/s\n[7]\t196 kbit/s\n[8]\t256 kbit/s\n[9]\t320 kbit/s\nplease choose the mp3 bitrate: 5"
            "\n\n4:3 coded:\n[1]\t1:1.33 (real 4:3)\n[2]\t1:1.85\n[3]\t1:2.35\n\n"
            "16:9 coded:\n[4]\t1:1.85 (real 16:9)\n[5]\t1:2.35 (widescreen)\nplease choose the aspect ratio: 1" +
                kOffer + "n" + kFarewell);
  EXPECT_EQ(install.interpreter.operations, (Operations{kListVobFiles, kClearScreen}));
  EXPECT_EQ(install.files.At("input\\movie.lst"), kDir + "input\\VTS_01_1.VOB\r\n" + kDir + "input\\VTS_01_2.VOB\r\n");
  EXPECT_EQ(install.files.At("nandub\\multi.vcf"), testing::JobScriptFor(testing::DoubledBackslashes(kDir)));
  EXPECT_EQ(install.files.At("process.bat"), testing::ConstantRunBatchFile(kDir));
}

// A real title VOB: each question it answers gets its hint once, before its first showing; a
// stream key it is sure of is refused with the streams there, and the question shown again.
// Without AC3 on the disc every key is taken as before.
TEST(WizardDriver, TellsWhatTheDiscSaysAndRefusesAStreamThatCannotMakeSound) {
  const std::string pal_16x9 = "\nthe disc is PAL, 720x576 at 25 fps: answer 2.";
  const std::string wide = "\nthe picture is coded 16:9: answer 4 or 5.";
  const std::string narrow = "\nthe picture is coded 4:3: answer 1, 2 or 3.";
  const struct {
    const char* file;
    std::string keys;
    std::string shown;
    // More files in input\, by name and fixture.
    std::map<std::string, std::string> more;
  } cases[] = {
      {"pal_16x9_two_ac3.vob",
       "2x831N5x5",
       pal_16x9 + kRegion + "2" + "\nthe disc's audio streams:\n[0]\tAC3 2.0, 192 kbit/s\n[1]\tAC3 5.1, 448 kbit/s" +
           kStream + "x" + kStream + "8\nkey 8 gives no sound, the disc has: [0] AC3, [1] AC3." + kStream + "3" +
           "\nkey 3 gives no sound, the disc has: [0] AC3, [1] AC3." + kStream + "1" + kVbr + "N" + kBitrates + "5" +
           wide + kAspect + "x" + kAspect + "5",
       {}},
      {"pal_16x9_two_ac3.vob",
       "20N54",
       "\ninput\\VIDEO_TS.VOB is a menu, not the movie: move it out of input\\ and start the wizard again." + pal_16x9 +
           kRegion + "2" +
           "\nthe disc's audio streams:\n[0]\tAC3 2.0, 192 kbit/s, de German\n[1]\tAC3 5.1, 448 kbit/s, en English, "
           "director's comments" +
           kStream + "0" + kVbr + "N" + kBitrates + "5" + wide + kAspect + "4",
       {{"VIDEO_TS.VOB", "ntsc_film.vob"}, {"vts_01_0.bup", "pal_16x9_de_en_comments.ifo"}}},
      {"ntsc_film.vob",
       "11"
       "0N51",
       "\nthe disc is NTSC, 720x480 at 29.97 fps: answer 1." + kRegion + "1" +
           "\nthe movie is film (50% of the pictures repeat a field): answer 1." + kFrameRate + "1" +
           "\nthe disc's audio streams:\n[0]\tAC3 1.0, 96 kbit/s" + kStream + "0" + kVbr + "N" + kBitrates + "5" +
           narrow + kAspect + "1",
       {}},
      {"lpcm_only.vob",
       "129N51",
       "\nthe disc is PAL, 720x576 at 25 fps: answer 2." + kRegion + "1" +
           "\nthe disc is PAL, 25 fps: neither rate fits it." + kFrameRate + "2" +
           "\nthe disc's audio streams:\n[-]\tLPCM 2.0\nno AC3 stream was found, and the sound decoder reads AC3 "
           "only." +
           kStream + "9" + kVbr + "N" + kBitrates + "5" + narrow + kAspect + "1",
       {}},
  };
  for (const auto& [file, keys, shown, more] : cases) {
    std::vector<std::string> vobs = {"VTS_01_1.VOB"};
    for (const auto& [name, fixture] : more) {
      if (MatchesVobPattern(name)) vobs.push_back(name);
    }
    Install install(vobs);
    install.files.files["input\\VTS_01_1.VOB"] = testing::DiscFixture(file);
    for (const auto& [name, fixture] : more) install.files.files["input\\" + name] = testing::DiscFixture(fixture);
    ScriptedConsole console(keys + "nz");
    EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 0) << file;
    EXPECT_EQ(console.Output(), kWelcome + shown + kOffer + "n" + kFarewell) << file;
  }
}

TEST(WizardDriver, JobScriptIsOnDiskBeforeTheAudioQuestionAndTheBatchFileBeforeTheOffer) {
  Install install;
  WatchedConsole console("20N51n ");
  bool script_at_audio_question = false;
  bool batch_at_audio_question = true;
  bool batch_at_offer = false;
  console.on_write = [&](std::string_view text) {
    if (text == "\n\nplease choose the audiostream (0-9): " && !script_at_audio_question) {
      script_at_audio_question = install.files.Has("nandub\\multi.vcf");
      batch_at_audio_question = install.files.Has("process.bat");
    }
    if (text == kOffer) batch_at_offer = install.files.Has("process.bat");
  };
  EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 0);
  EXPECT_TRUE(script_at_audio_question);
  EXPECT_FALSE(batch_at_audio_question);
  EXPECT_TRUE(batch_at_offer);
}

TEST(WizardDriver, YesRunsTheCompleteBatchFileBeforeTheFarewellAndOtherKeysRepeatTheOffer) {
  Install install;
  ScriptedConsole console("20N51xqY ");
  std::string batch_when_run;
  std::string output_when_run;
  install.interpreter.action = [&, dir_action = install.interpreter.action](const std::string& operation) {
    dir_action(operation);
    if (operation == kRunBatchFile) {
      batch_when_run = install.files.At("process.bat");
      output_when_run = console.Output();
    }
  };
  EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 0);
  EXPECT_EQ(install.interpreter.operations, (Operations{kListVobFiles, kClearScreen, kRunBatchFile}));
  EXPECT_EQ(batch_when_run, install.files.At("process.bat"));
  const std::string output = console.Output();
  EXPECT_EQ(output_when_run, output.substr(0, output.size() - kFarewell.size()));
  EXPECT_EQ(output.substr(output.size() - kFarewell.size() - 3 * kOffer.size() - 3),
            kOffer + "x" + kOffer + "q" + kOffer + "Y" + kFarewell);
}

TEST(WizardDriver, OnlyTheBatchFileEscapesTheInstallDirForTheInterpreter) {
  Install install({"VTS_01_1.VOB"}, "e:\\R&D^%\\\r\n-r1");
  ScriptedConsole console("20N51nz");
  EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 0);
  EXPECT_EQ(install.files.At("input\\movie.lst"), "e:\\R&D^%\\input\\VTS_01_1.VOB\r\n");
  EXPECT_NE(install.files.At("nandub\\multi.vcf").find("(\"e:\\\\R&D^%\\\\temp"), std::string::npos);
  EXPECT_NE(install.files.At("process.bat").find("\ne:\\R^&D^^%%\\nandub\\nandub.exe "), std::string::npos);
}

// A file of the run that was not written is told at its step, with its reason; then one key,
// exit code 1, no question after it, and no batch file is run, not even an earlier one.
TEST(WizardDriver, FileThatWasNotWrittenEndsTheRunAtItsStep) {
  const std::string region = kWelcome + kRegion + "2";
  const std::string answers = region + kStream + "0" + kVbr + "N" + kBitrates + "5" + kAspect + "1";
  const struct {
    std::string path;
    std::string shown;
    std::string before;  // the screen up to the step that writes the file
    Operations operations;
  } steps[] = {
      {"input\\movie.lst", "input\\movie.lst", "", {kListVobFiles}},
      {"nandub\\multi.vcf", "nandub\\multi.vcf", region, {kListVobFiles, kClearScreen}},
      {"process.bat", "process.bat", answers, {kListVobFiles, kClearScreen}},
  };
  const std::pair<std::set<std::string> MemoryFileSystem::*, std::string> faults[] = {
      {&MemoryFileSystem::unwritable, testing::kNoRight},
      {&MemoryFileSystem::full, testing::kDiskFull},
      {&MemoryFileSystem::failing_close, testing::kCloseFailed},
  };
  for (const auto& step : steps) {
    for (const auto& [failing, reason] : faults) {
      Install install;
      install.files.files["process.bat"] = "an earlier movie's batch file";
      (install.files.*failing).insert(step.path);
      ScriptedConsole console("20N51yk");
      EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), 1) << step.path;
      EXPECT_EQ(console.Output(), step.before + NotWritten(step.shown, reason)) << step.path << ": " << reason;
      EXPECT_EQ(install.interpreter.operations, step.operations) << step.path;
      EXPECT_NE(console.Remaining(), "") << "one key is taken, no more";
    }
  }
}

// After yes the batch file runs only where it can make the movie, an earlier movie is kept, and
// no earlier run's file can pass for this run's; then the first step whose file is missing is
// told. Each row: what differs from a whole install, what is shown behind the yes, whether the
// batch file ran, and the keys typed.
TEST(WizardDriver, RunOfferChecksBeforeAndTellsTheOutcomeAfterTheBatchRun) {
  const auto tool_missing = [](const std::string& tool, const std::string& folder) {
    return "uh-oh... i can't find the tool " + folder + "\\" + tool + "! please put " + tool + " into the folder " +
           folder + ".\n";
  };
  const auto not_made = [](const std::string& tool, const std::string& file) {
    return "\nuh-oh... looks like " + tool + " did not make " + file + ", so the movie was not made!\n\n";
  };
  const struct {
    const char* what;
    std::function<void(Install&)> change;
    std::string shown;
    bool ran;
    const char* keys = "20N51yk";  // audio stream 0x80
  } cases[] = {
      {"whole, with equal names, so nothing asked", [](Install& i) { i.files.folder_unknown_why = "asked"; }, kFarewell,
       true},
      {"another wizard", [](Install& i) { i.files.locked.insert("temp\\wizard.lck"); },
       "\nuh-oh... another wizard is running in this folder! please wait until it has ended.\n\n", false, "k"},
      {"no wine", [](Install& i) { i.interpreter.batch_files_blocked = "it needs wine"; },
       "\nuh-oh... i can't run process.bat: it needs wine!\n\n", false},
      {"moved", [](Install& i) { i.files.working_folder = "e:\\k\\"; },
       "\nuh-oh... looks like config.cfg was made for the folder " + kDir +
           ", but i'm running in e:\\k\\! please run setup.exe here again.\n\n",
       false},
      {"other case and slash, no final backslash",
       [](Install& i) { i.files.files["config.cfg"] = "D:\\DivXStuff/kelvarro0.7.1\r\n-r1"; },
       "\nuh-oh... looks like the folder D:\\DivXStuff/kelvarro0.7.1 in config.cfg does not end with a backslash, so "
       "no tool would be found! please run setup.exe here again.\n\n",
       false},
      {"case twin", [](Install& i) { i.files.files["config.cfg"] = "D:\\DIVXSTUFF\\KELVARRO0.7.1\\\r\n-r1"; },
       "\nuh-oh... looks like config.cfg was made for the folder D:\\DIVXSTUFF\\KELVARRO0.7.1\\, but i'm running in " +
           kDir + "! please run setup.exe here again.\n\n",
       false},
      {"wine silent",
       [](Install& i) {
         i.files.working_folder = "e:\\k\\";
         i.files.folder_unknown_why = "it hangs";
       },
       "\nuh-oh... i can't tell whether the folder " + kDir + " in config.cfg is the one i'm running in: it hangs!\n\n",
       false},
      {"empty install dir", [](Install& i) { i.files.files["config.cfg"] = ""; }, kFarewell, true},
      {"short form or link",
       [](Install& i) {
         i.files.files["config.cfg"] = "d:\\divxst~1\\kelvar~1.1\\\r\n-r1";
         i.files.working_folder_names = {"d:\\divxst~1\\kelvar~1.1\\"};
       },
       kFarewell, true},
      {"tool and earlier files in upper case",
       [](Install& i) {
         i.files.files.erase("progs\\azid.exe");
         i.files.files["progs\\AZID.EXE"] = "a tool";
         i.files.files["temp\\PCMAUDIO.WAV"] = "earlier";
         i.files.files["output\\output.avi"] = "first movie";
         i.files.files["output\\OUTPUT.AVI"] = "earlier movie";
       },
       "\nthe earlier movie output\\output.avi is kept as output\\output-1.avi.\n"
       "\nthe earlier movie output\\OUTPUT.AVI is kept as output\\output-2.avi.\n" +
           kFarewell,
       true},
      {"tools missing",
       [](Install& i) {
         i.files.files.erase("progs\\azid.exe");
         i.files.files.erase("nandub\\nandub.exe");
       },
       "\n" + tool_missing("azid.exe", "progs") + tool_missing("nandub.exe", "nandub") + "\n", false},
      {"temp not writable", [](Install& i) { i.files.unwritable.insert("temp"); },
       "\nuh-oh... i can't write into the folder temp\\: " + testing::kNoRight + "!\n\n", false},
      {"folder at the movie's name", [](Install& i) { i.files.files["output\\output.avi\\a.avi"] = ""; },
       "\nuh-oh... output\\output.avi is a folder, not a movie! please move it out of output\\ first.\n\n", false},
      {"earlier file stays",
       [](Install& i) {
         i.files.files["temp\\pcmaudio.wav"] = "earlier";
         i.files.unwritable.insert("temp\\pcmaudio.wav");
       },
       NotWritten("temp\\pcmaudio.wav", testing::kNoRight), false},
      {"earlier movies",
       [](Install& i) {
         i.files.files["output\\output.avi"] = "earlier movie";
         i.files.files["output\\output-1.avi"] = "first movie";
       },
       "\nthe earlier movie output\\output.avi is kept as output\\output-2.avi.\n" + kFarewell, true},
      {"earlier movie stuck",
       [](Install& i) {
         i.files.files["output\\output.avi"] = "earlier movie";
         i.files.unwritable.insert("output\\output.avi");
       },
       "\nuh-oh... i can't move the earlier movie output\\output.avi aside: " + testing::kNoRight +
           "! please move it yourself first.\n\n",
       false},
      {"decoder failed", [](Install& i) { i.made = 0; }, not_made("progs\\m2apx3g.exe", "temp\\movie_1.avi"), true},
      {"no such stream", [](Install& i) { i.made = 1; },
       "\nuh-oh... looks like progs\\m2apx3g.exe did not make temp\\movie_1.avistream0x80.ac3: maybe the DVD has no "
       "audio stream 0x80!\n\n",
       true},
      {"no stream 0x83", [](Install& i) { i.made = 1; },
       "\nuh-oh... looks like progs\\m2apx3g.exe did not make temp\\movie_1.avistream0x83.ac3: maybe the DVD has no "
       "audio stream 0x83!\n\n",
       true, "23N51yk"},
      {"earlier sound",
       [](Install& i) {
         i.made = 2;
         for (const std::string& file : kStepFiles) i.files.files[file] = "earlier";
         i.files.files["temp\\movie_1.avistream0x81.ac3"] = "earlier";
         i.files.files["temp\\movie_1.avistream0x89.ac3"] = "earlier";
       },
       "\nthe earlier movie output\\output.avi is kept as output\\output-1.avi.\n" +
           not_made("progs\\azid.exe", "temp\\pcmaudio.wav"),
       true},
      {"encoder failed", [](Install& i) { i.made = 3; }, not_made("progs\\lame.exe", "temp\\audio.mp3"), true},
      {"joiner failed", [](Install& i) { i.made = 4; }, not_made("nandub\\nandub.exe", "output\\output.avi"), true},
      {"empty files", [](Install& i) { i.made_bytes = ""; }, not_made("progs\\m2apx3g.exe", "temp\\movie_1.avi"), true},
      {"joiner's exit code", [](Install& i) { i.interpreter.batch_run.exit_code = 1; },
       "\nuh-oh... looks like nandub\\nandub.exe ended with exit code 1, so the movie was not made!\n\n", true},
      {"not started", [](Install& i) { i.interpreter.batch_run.not_started = testing::kMissing; },
       "\nuh-oh... process.bat could not be started: " + testing::kMissing + "!\n\n", true},
  };
  for (const auto& row : cases) {
    Install install;
    row.change(install);
    std::map<std::string, std::string> at_run;
    std::map<std::string, std::string> at_offer = install.files.files;
    install.interpreter.action = [&, made_by = install.interpreter.action](const std::string& operation) {
      if (operation == kRunBatchFile) at_run = install.files.files;
      made_by(operation);
    };
    std::size_t locks_at_last_text = 0;
    WatchedConsole console(row.keys);
    console.on_write = [&](std::string_view text) {
      if (text == kOffer) at_offer = install.files.files;
      locks_at_last_text = install.files.locked.size();
    };
    const bool made = row.shown.size() >= kFarewell.size() &&
                      row.shown.compare(row.shown.size() - kFarewell.size(), kFarewell.size(), kFarewell) == 0;
    EXPECT_EQ(RunWizard(console, install.interpreter, install.files, testing::NoShortForm()), made ? 0 : 1) << row.what;
    const std::string output = console.Output();
    const std::size_t yes = output.rfind(kOffer + "y");
    EXPECT_EQ(yes == std::string::npos ? output : output.substr(yes + kOffer.size() + 1), row.shown) << row.what;
    const Operations& operations = install.interpreter.operations;
    EXPECT_EQ(!operations.empty() && operations.back() == kRunBatchFile, row.ran) << row.what;
    EXPECT_EQ(console.Remaining(), "") << row.what;
    EXPECT_EQ(locks_at_last_text, install.files.locked.size()) << row.what << ": the lock is let go before the end";
    if (!row.ran) {
      EXPECT_EQ(install.files.files, at_offer) << row.what << ": nothing moved or written";
      continue;
    }
    // Only this run's files were there for the steps to read.
    for (const auto& [file, content] : at_run) {
      const std::string path = testing::Folded(file);
      const bool intermediate =
          path.rfind("temp\\", 0) == 0 && path != "temp\\menulst.tmp" && path != "temp\\wizard.lck";
      EXPECT_TRUE(!intermediate && path != "output\\output.avi") << row.what << ": " << path;
    }
    if (install.files.Has("output\\output-2.avi")) {
      EXPECT_EQ(install.files.At("output\\output-1.avi"), "first movie");
      EXPECT_EQ(install.files.At("output\\output-2.avi"), "earlier movie");
      EXPECT_EQ(install.files.At("output\\output.avi"), "made by this run");
    }
  }
}

}  // namespace
}  // namespace kelvarro
