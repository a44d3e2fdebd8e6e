#include "wizard/batch_writer.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "wizard/interpreter_text.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

// One line's pieces, joined with nothing between them.
void Line(std::string& text, std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) text += piece;
  text += "\r\n";
}

// The values from config.cfg, as the command interpreter must read them.
struct BatchValues {
  std::string install_dir;
  std::string idct_switch;
};

void DecoderLine(std::string& text, const BatchValues& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  Line(text, {"start /wait ",
              dir,
              "progs\\m2apx3g.exe -b ",
              dir,
              "input\\movie.lst ",
              choices.frame_rate_switch,
              " -q0 ",
              config.idct_switch,
              " -3X ",
              std::to_string(choices.coded_width),
              " -3Y ",
              std::to_string(choices.coded_height),
              " -1 ",
              std::to_string(choices.target_width),
              " ",
              std::to_string(choices.target_height),
              " -a",
              choices.audio_stream_id,
              " -o8 ",
              dir,
              "temp\\movie_1.avi"});
}

// The decoder names the sound file after its video output and the stream id.
void SoundDecoderLine(std::string& text, const BatchValues& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  Line(text, {dir, "progs\\azid.exe --stereo=STEREO --dcompr=normal -g8db ", dir, "temp\\movie_1.avistream",
              choices.audio_stream_id, ".ac3 ", dir, "temp\\pcmaudio.wav"});
}

void EncoderLine(std::string& text, const BatchValues& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  const std::string bitrate = choices.UsesVbr() ? std::to_string(choices.vbr_min_kbps) + " -V " +
                                                      std::to_string(choices.vbr_quality) + " -B " +
                                                      std::to_string(choices.vbr_max_kbps)
                                                : std::to_string(choices.cbr_kbps);
  Line(text, {dir, "progs\\lame.exe -h -b ", bitrate, " ", dir, "temp\\pcmaudio.wav ", dir, "temp\\audio.mp3"});
}

// The job script is named relative to the install directory, where the batch file runs.
void JoinerLine(std::string& text, const BatchValues& config) {
  Line(text, {config.install_dir, "nandub\\nandub.exe /snandub\\multi.vcf /x"});
}

}  // namespace

std::optional<WriteFailure> BatchWriter(FileSystem& files, const WizardConfig& config, const EncodingChoices& choices,
                                        const ShortForms& short_forms) {
  const BatchValues values{InterpreterPath(config.install_dir, short_forms), InterpreterValue(config.idct_switch)};
  std::string text;
  DecoderLine(text, values, choices);
  SoundDecoderLine(text, values, choices);
  EncoderLine(text, values, choices);
  JoinerLine(text, values);
  return WriteWholeFile(files, kBatchFilePath, text);
}

}  // namespace kelvarro
