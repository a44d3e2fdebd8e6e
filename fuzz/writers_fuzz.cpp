// The two writers for arbitrary install directories, switches and numbers, against files
// rendered here from templates: the job script with every backslash of the install directory
// doubled, the batch file with the interpreter's characters escaped in the install directory
// and the IDCT switch, and nothing else changed.

#include <cinttypes>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "fuzz/fields.h"
#include "fuzz/fuzz_check.h"
#include "support/expected_files.h"
#include "support/folder_naming.h"
#include "support/memory_file_system.h"
#include "wizard/batch_writer.h"
#include "wizard/job_script_writer.h"

namespace kelvarro::fuzz {
namespace {

// {name} stands for a value; the values are put in as they are, never scanned again.
constexpr const char* kBatchTemplate =
    "start /wait {dir}progs\\m2apx3g.exe -b {dir}input\\movie.lst {fps} -q0 {idct} -3X {cw} -3Y {ch} -1 {tw} {th}"
    " -a{stream} -o8 {dir}temp\\movie_1.avi\r\n"
    "{dir}progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db {dir}temp\\movie_1.avistream{stream}.ac3"
    " {dir}temp\\pcmaudio.wav\r\n"
    "{dir}progs\\lame.exe -h -b {bitrate} {dir}temp\\pcmaudio.wav {dir}temp\\audio.mp3\r\n"
    "{dir}nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";

std::string Fill(const std::string& pattern, const std::map<std::string, std::string>& values) {
  std::string out;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t open = pattern.find('{', at);
    if (open == std::string::npos) break;
    const std::size_t close = pattern.find('}', open);
    out.append(pattern, at, open - at);
    out += values.at(pattern.substr(open + 1, close - open - 1));
    at = close + 1;
  }
  out.append(pattern, at, std::string::npos);
  return out;
}

std::string Decimal(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%" PRId32, value);
  return text;
}

// What the command interpreter must be given so that it reads `text` back.
std::string ForInterpreter(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '^':
        out += "^^";
        break;
      case '&':
        out += "^&";
        break;
      case '%':
        out += "%%";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string DoubledBackslashes(std::string text) {
  for (std::size_t at = text.find('\\'); at != std::string::npos; at = text.find('\\', at + 2)) {
    text.insert(at, 1, '\\');
  }
  return text;
}

std::string ExpectedBatch(const WizardConfig& config, const EncodingChoices& c) {
  const bool vbr = c.use_vbr == 'y' || c.use_vbr == 'Y';
  const std::string bitrate =
      vbr ? Decimal(c.vbr_min_kbps) + " -V " + Decimal(c.vbr_quality) + " -B " + Decimal(c.vbr_max_kbps)
          : Decimal(c.cbr_kbps);
  return Fill(kBatchTemplate, {{"dir", ForInterpreter(config.install_dir)},
                               {"idct", ForInterpreter(config.idct_switch)},
                               {"fps", c.frame_rate_switch},
                               {"stream", c.audio_stream_id},
                               {"cw", Decimal(c.coded_width)},
                               {"ch", Decimal(c.coded_height)},
                               {"tw", Decimal(c.target_width)},
                               {"th", Decimal(c.target_height)},
                               {"bitrate", bitrate}});
}

}  // namespace
}  // namespace kelvarro::fuzz

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
  const std::string escaped = BuildEscapedInstallDir(config.install_dir);
  Require(escaped == DoubledBackslashes(config.install_dir), "every backslash doubled, nothing else changed");
  Require(!JobScriptWriter(files, escaped), "the job script written");
  Require(files.At("nandub\\multi.vcf") == testing::JobScriptFor(DoubledBackslashes(config.install_dir)),
          "the job script, byte for byte");

  Require(!BatchWriter(files, config, choices, testing::NoShortForm()), "the batch file written");
  Require(files.At("process.bat") == ExpectedBatch(config, choices), "the batch file, byte for byte");
  return 0;
}
