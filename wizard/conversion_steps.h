#pragma once

// The steps of the conversion, named once: the four tools in the order process.bat runs them,
// and the file each one's line writes, relative to the install directory. The batch file's
// lines, the job script and the checks around the run all take their names from here.

#include <array>
#include <string>

namespace kelvarro {

struct ConversionStep {
  const char* tool;
  const char* writes;  // the decoder also writes the chosen stream's sound (SoundFile)
};

inline constexpr std::array<ConversionStep, 4> kConversionSteps = {{
    {"progs\\m2apx3g.exe", "temp\\movie_1.avi"},
    {"progs\\azid.exe", "temp\\pcmaudio.wav"},
    {"progs\\lame.exe", "temp\\audio.mp3"},
    {"nandub\\nandub.exe", "output\\output.avi"},
}};

inline constexpr const ConversionStep& kDecoderStep = kConversionSteps[0];
inline constexpr const ConversionStep& kSoundDecoderStep = kConversionSteps[1];
inline constexpr const ConversionStep& kEncoderStep = kConversionSteps[2];
inline constexpr const ConversionStep& kJoinerStep = kConversionSteps[3];

// The decoder names the sound file after its video and the stream, e.g.
// temp\movie_1.avistream0x80.ac3.
inline std::string SoundFile(const std::string& stream_id) {
  return std::string(kDecoderStep.writes) + "stream" + stream_id + ".ac3";
}

}  // namespace kelvarro
