#pragma once

// What the wizard asks of the command interpreter, beyond the screen clear that both programs
// use: the listing of the VOB files, and the run of the batch file. On Windows each operation
// hands its command line below to the interpreter; elsewhere the wizard carries it out itself
// (wizard_interpreter_posix.cpp). Each returns when the work has ended.

#include <optional>
#include <string>

#include "common/command_interpreter.h"
#include "common/file_system.h"
#include "wizard/wizard_files.h"

namespace kelvarro {

inline constexpr const char* kListVobFilesCommand = "dir input\\*.vob > temp\\menulst.tmp";
inline constexpr const char* kRunBatchFileCommand = kBatchFilePath;

// How a run of the batch file ended.
struct BatchRun {
  std::string not_started;  // why it could not be started, in the system's words; "" when it ran
  int exit_code = 0;        // when it ran: the exit status of its last line
};

class WizardInterpreter : public CommandInterpreter {
 public:
  // Writes the listing of input\*.vob into temp\menulst.tmp: header text of more than 50
  // characters that names no file, then every name as one word. The reason where the listing
  // is known not to have been written; nothing where it was, or where the interpreter does
  // not tell.
  virtual std::optional<std::string> ListVobFiles() = 0;
  // Why no batch file can run here at all, for the user; "" where one can.
  virtual std::string WhyBatchFilesCannotRun() = 0;
  // Runs process.bat in the current directory and waits until it has ended.
  virtual BatchRun RunBatchFile() = 0;
};

class WizardSystemInterpreter : public WizardInterpreter {
 public:
  // Where no command interpreter lists the files, the listing is written into `files`.
  explicit WizardSystemInterpreter(FileSystem& files) : files_(files) {}
  std::optional<std::string> ListVobFiles() override;
  std::string WhyBatchFilesCannotRun() override;
  BatchRun RunBatchFile() override;

 private:
  // Unused on Windows, whose interpreter writes the listing itself.
  [[maybe_unused]] FileSystem& files_;
};

}  // namespace kelvarro
