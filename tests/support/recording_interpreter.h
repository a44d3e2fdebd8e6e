#pragma once

// A command interpreter that records what it was asked to do, by operation, and runs an
// optional action for each, for example to write the listing a real "dir" would write.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wizard/wizard_interpreter.h"

namespace kelvarro::testing {

inline const std::string kClearScreen = "ClearScreen";
inline const std::string kListVobFiles = "ListVobFiles";
inline const std::string kRunBatchFile = "RunBatchFile";

class RecordingInterpreter : public WizardInterpreter {
 public:
  std::vector<std::string> operations;
  std::function<void(const std::string&)> action;
  // What ListVobFiles tells: the reason the listing could not be written, or nothing.
  std::optional<std::string> listing_failure;
  // What WhyBatchFilesCannotRun tells.
  std::string batch_files_blocked;
  // What RunBatchFile tells.
  BatchRun batch_run;

  void ClearScreen() override { Record(kClearScreen); }
  std::optional<std::string> ListVobFiles() override {
    Record(kListVobFiles);
    return listing_failure;
  }
  std::string WhyBatchFilesCannotRun() override { return batch_files_blocked; }
  BatchRun RunBatchFile() override {
    Record(kRunBatchFile);
    return batch_run;
  }

 private:
  void Record(const std::string& operation) {
    operations.push_back(operation);
    if (action) action(operation);
  }
};

}  // namespace kelvarro::testing
