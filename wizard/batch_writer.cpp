#include "wizard/batch_writer.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "wizard/conversion_steps.h"
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

// The lines in the order the steps run; the sound decoder reads the decoder's sound file.
void Lines(std::string& text, const BatchValues& config, const EncodingChoices& choices) {
  const std::string& dir = config.install_dir;
  const std::string sound = SoundFile(choices.audio_stream_id);
  const std::string bitrate = choices.UsesVbr() ? std::to_string(choices.vbr_min_kbps) + " -V " +
                                                      std::to_string(choices.vbr_quality) + " -B " +
                                                      std::to_string(choices.vbr_max_kbps)
                                                : std::to_string(choices.cbr_kbps);
  // Only the decoder's line waits for its tool.
  Line(text, {"start /wait ",
              dir,
              kDecoderStep.tool,
              " -b ",
              dir,
              kMovieListPath,
              " ",
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
              kDecoderStep.writes});
  Line(text, {dir, kSoundDecoderStep.tool, " --stereo=STEREO --dcompr=normal -g8db ", dir, sound, " ", dir,
              kSoundDecoderStep.writes});
  Line(text,
       {dir, kEncoderStep.tool, " -h -b ", bitrate, " ", dir, kSoundDecoderStep.writes, " ", dir, kEncoderStep.writes});
  // The job script is named relative to the install directory, where the batch file runs.
  Line(text, {dir, kJoinerStep.tool, " /s", kJobScriptPath, " /x"});
}

}  // namespace

std::optional<WriteFailure> BatchWriter(FileSystem& files, const WizardConfig& config, const EncodingChoices& choices,
                                        const ShortForms& short_forms) {
  const BatchValues values{InterpreterPath(config.install_dir, short_forms), InterpreterValue(config.idct_switch)};
  std::string text;
  Lines(text, values, choices);
  return WriteWholeFile(files, kBatchFilePath, text);
}

}  // namespace kelvarro
