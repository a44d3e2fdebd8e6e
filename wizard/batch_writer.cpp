#include "wizard/batch_writer.h"

#include <memory>

namespace kelvarro {
namespace {

std::string Decimal(std::int32_t value) { return std::to_string(value); }

std::string DecoderLine(const WizardConfig& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  return "start /wait " + dir + "progs\\m2apx3g.exe -b " + dir + "input\\movie.lst " +
         choices.frame_rate_switch + " -q0 " + config.idct_switch + " -3X " + Decimal(choices.coded_width) +
         " -3Y " + Decimal(choices.coded_height) + " -1 " + Decimal(choices.target_width) + " " +
         Decimal(choices.target_height) + " -a" + choices.audio_stream_id + " -o8 " + dir +
         "temp\\movie_1.avi\r\n";
}

// The decoder names the sound file after its video output and the stream id.
std::string SoundDecoderLine(const WizardConfig& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  return dir + "progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db " + dir + "temp\\movie_1.avistream" +
         choices.audio_stream_id + ".ac3 " + dir + "temp\\pcmaudio.wav\r\n";
}

std::string EncoderLine(const WizardConfig& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  const std::string bitrate =
      choices.UsesVbr() ? Decimal(choices.vbr_min_kbps) + " -V " + Decimal(choices.vbr_quality) + " -B " +
                              Decimal(choices.vbr_max_kbps)
                        : Decimal(choices.cbr_kbps);
  return dir + "progs\\lame.exe -h -b " + bitrate + " " + dir + "temp\\pcmaudio.wav " + dir +
         "temp\\audio.mp3\r\n";
}

// The job script is named relative to the install directory, where the batch file runs.
std::string JoinerLine(const WizardConfig& config) {
  return config.install_dir + "nandub\\nandub.exe /snandub\\multi.vcf /x\r\n";
}

}  // namespace

std::string BatchFileText(const WizardConfig& config, const EncodingChoices& choices) {
  return DecoderLine(config, choices) + SoundDecoderLine(config, choices) + EncoderLine(config, choices) +
         JoinerLine(config);
}

void BatchWriter(FileSystem& files, const WizardConfig& config, const EncodingChoices& choices) {
  const std::unique_ptr<OutputFile> file = files.OpenForWriting(kBatchFilePath);
  file->Write(BatchFileText(config, choices));
}

}  // namespace kelvarro
