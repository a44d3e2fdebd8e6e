// Memory that runs out in the middle of a run, injected as std::bad_alloc where a file is read
// or written, or where a word is typed: config.cfg then counts as unreadable, and anywhere
// else the run ends silently with exit code 1, the files keeping what they already hold.

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "common/config_file.h"
#include "setup/setup_dialogue.h"
#include "support/dialogue_texts.h"
#include "support/expected_files.h"
#include "support/folder_naming.h"
#include "support/memory_file_system.h"
#include "support/recording_interpreter.h"
#include "support/scripted_console.h"
#include "wizard/wizard_driver.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

using namespace testing::texts;

using testing::MemoryFileSystem;
using testing::RecordingInterpreter;
using testing::ScriptedConsole;

// In-memory files where one path runs out of memory: opening it, its first read, or its
// write number `writes_before_failure` (counted from 0) throws std::bad_alloc.
class ExhaustedFileSystem : public MemoryFileSystem {
 public:
  enum class Where { kOpen, kRead, kWrite };
  ExhaustedFileSystem(std::string path, Where where, int writes_before_failure = 0)
      : path_(std::move(path)), where_(where), writes_before_failure_(writes_before_failure) {}

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    if (path == path_ && where_ == Where::kOpen) throw std::bad_alloc();
    if (path == path_ && where_ == Where::kRead) return std::make_unique<ExhaustedInput>();
    return MemoryFileSystem::OpenForReading(path);
  }

  std::unique_ptr<OutputFile> OpenForWriting(const std::string& path, std::string& why_not) override {
    return Exhausting(path, MemoryFileSystem::OpenForWriting(path, why_not));
  }
  std::unique_ptr<OutputFile> OpenForReplacing(const std::string& path, std::string& why_not) override {
    return Exhausting(path, MemoryFileSystem::OpenForReplacing(path, why_not));
  }

 private:
  class ExhaustedInput : public InputFile {
   public:
    std::size_t Read(char*, std::size_t) override { throw std::bad_alloc(); }
  };

  class ExhaustedOutput : public OutputFile {
   public:
    ExhaustedOutput(std::unique_ptr<OutputFile> file, int writes_left) : file_(std::move(file)), left_(writes_left) {}
    void Write(std::string_view bytes) override {
      if (left_-- == 0) throw std::bad_alloc();
      file_->Write(bytes);
    }
    std::string Close() override { return file_->Close(); }

   private:
    std::unique_ptr<OutputFile> file_;
    int left_;
  };

  std::unique_ptr<OutputFile> Exhausting(const std::string& path, std::unique_ptr<OutputFile> file) const {
    if (path != path_ || where_ != Where::kWrite) return file;
    return std::make_unique<ExhaustedOutput>(std::move(file), writes_before_failure_);
  }

  std::string path_;
  Where where_;
  int writes_before_failure_;
};

using Where = ExhaustedFileSystem::Where;
const std::string kDir = "d:\\k\\";

// The wizard on `files` with a config.cfg, two VOB files listed, and the answers of a
// constant-bitrate run.
struct WizardRun {
  int exit_code = -1;
  std::string output;
  std::vector<std::string> operations;
};

WizardRun RunWizardOn(ExhaustedFileSystem& files) {
  files.files["config.cfg"] = kDir + "\r\n-r1";
  files.files[".\\input\\VTS_01_1.VOB"] = "";
  RecordingInterpreter interpreter;
  interpreter.action = [&files](const std::string& operation) {
    if (operation != testing::kListVobFiles) return;
    files.files[kListingPath] =
        " Volume in drive D is DVD\r\n Volume Serial Number is 1234-ABCD\r\n\r\n Directory of D:\\dvd\\input\r\n\r\n"
        "07/12/2026  07:30 PM             1,024 VTS_01_1.VOB\r\n";
  };
  ScriptedConsole console("20n51yk");
  WizardRun run;
  run.exit_code = RunWizard(console, interpreter, files, testing::NoShortForm());
  run.output = console.Output();
  run.operations = interpreter.operations;
  return run;
}

TEST(AllocationFailure, ConfigThatCannotBeHeldCountsAsUnreadable) {
  for (const Where where : {Where::kOpen, Where::kRead}) {
    ExhaustedFileSystem files(kConfigFileName, where);
    files.files[kConfigFileName] = "c:\\x\\\r\n-r1";
    EXPECT_FALSE(ReadConfig(files).has_value());

    // The wizard shows the first failure message and waits for one key.
    const WizardRun run = RunWizardOn(files);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.output, kNoConfig);
    EXPECT_TRUE(run.operations.empty());
  }
}

TEST(AllocationFailure, WizardEndsSilentlyAndKeepsTheFilesAlreadyWritten) {
  const std::string before_the_job_script = kWelcome + kRegion + "2";
  const std::string before_the_batch_file =
      before_the_job_script + kStream + "0" + kVbr + "n" + kBitrates + "5" + kAspect + "1";
  {
    ExhaustedFileSystem files(kJobScriptPath, Where::kWrite, 1);
    const WizardRun run = RunWizardOn(files);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.output, before_the_job_script);
    EXPECT_EQ(files.At(kJobScriptPath), "VirtualDub.Open(\"");
    EXPECT_EQ(files.At(kMovieListPath), kDir + "input\\VTS_01_1.VOB\r\n");
    EXPECT_FALSE(files.Has(kBatchFilePath));
  }
  {
    ExhaustedFileSystem files(kBatchFilePath, Where::kWrite, 2);
    const WizardRun run = RunWizardOn(files);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.output, before_the_batch_file);
    EXPECT_EQ(files.At(kBatchFilePath), "start /wait " + kDir);
    EXPECT_EQ(files.At(kJobScriptPath), testing::JobScriptFor("d:\\\\k\\\\"));
    // The batch file that was not completed is never run.
    EXPECT_EQ(run.operations, (std::vector<std::string>{testing::kListVobFiles, testing::kClearScreen}));
  }
}

// A console on which the typed word cannot be held.
class ExhaustedTokenConsole : public ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  std::string ReadToken() override { throw std::bad_alloc(); }
};

TEST(AllocationFailure, SetupEndsSilentlyKeepingTheConfigItFound) {
  MemoryFileSystem files;
  files.files[kConfigFileName] = "c:\\old\\\r\n-r1";
  RecordingInterpreter interpreter;
  ExhaustedTokenConsole console("c:\\k\\\n1");
  EXPECT_EQ(RunSetup(console, interpreter, files, "setup", testing::NoShortForm()), 1);
  EXPECT_EQ(console.Output(), kBanner + kPathQuestion);
  EXPECT_EQ(files.At(kConfigFileName), "c:\\old\\\r\n-r1");

  ExhaustedFileSystem exhausted(kConfigFileName, Where::kWrite, 0);
  ScriptedConsole keys("2");
  EXPECT_EQ(RunSetup(keys, interpreter, exhausted, "c:\\k\\setup.exe", testing::NoShortForm()), 1);
  EXPECT_EQ(keys.Output(), kBanner + kIdctMenu + "2");
  EXPECT_EQ(exhausted.At(kConfigFileName), "");
  EXPECT_EQ(exhausted.files.size(), 1u) << "nothing but the config.cfg created empty at the start";
}

}  // namespace
}  // namespace kelvarro
