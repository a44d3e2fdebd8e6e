// The two writers for arbitrary install directories, switches and numbers: neither hangs nor
// crashes, each replaces an earlier and longer file of its own whole and touches no other, the
// job script is the golden one for its install directory, and the batch file holds four lines.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fields.h"
#include "fuzz/fuzz_check.h"
#include "support/folder_naming.h"
#include "support/golden_files.h"
#include "support/memory_file_system.h"
#include "wizard/batch_writer.h"
#include "wizard/job_script_writer.h"

// The input: install directory (two length bytes), IDCT switch, frame rate switch, audio
// stream id (one length byte each), the VBR answer, then eight numbers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvarro;
  using namespace kelvarro::fuzz;
  Fields fields(data, size);
  WizardConfig config;
  config.install_dir = fields.Text(2);
  config.idct_switch = fields.Text(1);
  EncodingChoices choices;
  choices.frame_rate_switch = fields.Text(1);
  choices.audio_stream_id = fields.Text(1);
  choices.use_vbr = static_cast<char>(fields.Byte());
  for (std::int32_t* number :
       {&choices.cbr_kbps, &choices.vbr_min_kbps, &choices.vbr_max_kbps, &choices.vbr_quality, &choices.coded_width,
        &choices.coded_height, &choices.target_width, &choices.target_height}) {
    *number = fields.Int32();
  }

  testing::MemoryFileSystem files;
  const std::string earlier(1 << 20, '\n');  // longer than any file written here, and of no one line
  for (const char* path : {"nandub\\multi.vcf", "process.bat", "input\\movie.lst"}) files.files[path] = earlier;
  const std::string escaped = BuildEscapedInstallDir(config.install_dir);
  Require(escaped == testing::DoubledBackslashes(config.install_dir), "every backslash doubled, nothing else changed");
  Require(!JobScriptWriter(files, escaped), "the job script written");
  Require(files.At("nandub\\multi.vcf") == testing::JobScriptFor(escaped), "the job script, byte for byte");

  Require(!BatchWriter(files, config, choices, testing::NoShortForm()), "the batch file written");
  const std::string& batch = files.At("process.bat");
  const std::string last = "nandub.exe /snandub\\multi.vcf /x\r\n";
  Require(batch.size() < earlier.size() && batch.size() > last.size() &&
              batch.compare(batch.size() - last.size(), last.size(), last) == 0,
          "the batch file, whole and nothing of the earlier one");
  Require(files.files.size() == 3 && files.At("input\\movie.lst") == earlier, "no other file touched");
  return 0;
}
