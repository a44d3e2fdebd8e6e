#include "wizard/job_script_writer.h"

#include "wizard/conversion_steps.h"
#include "wizard/wizard_files.h"

namespace kelvarro {
namespace {

// The script's strings hold each backslash doubled.
std::string Doubled(const std::string& path) {
  std::string doubled;
  for (const char c : path) {
    doubled.push_back(c);
    if (c == '\\') doubled.push_back('\\');
  }
  return doubled;
}

std::string JobScript(const std::string& dir) {
  return "VirtualDub.Open(\"" + dir + Doubled(kDecoderStep.writes) +
         "\",1,0);\r\n"
         "VirtualDub.audio.SetSource(\"" +
         dir + Doubled(kEncoderStep.writes) +
         "\");\r\n"
         "VirtualDub.audio.SetMode(0);\r\n"
         "VirtualDub.audio.SetInterleave(1,500,500,1,0);\r\n"
         "VirtualDub.audio.SetClipMode(1,1);\r\n"
         "VirtualDub.audio.SetConversion(0,0,0,0,0);\r\n"
         "VirtualDub.audio.SetCompression();\r\n"
         "VirtualDub.video.SetDepth(24,24);\r\n"
         "VirtualDub.video.SetMode(0);\r\n"
         "VirtualDub.video.SetFrameRate(0,1, 0);\r\n"
         "VirtualDub.video.SetRange(0,0);\r\n"
         "VirtualDub.video.SetCompression();\r\n"
         "VirtualDub.video.filters.Clear();\r\n"
         "VirtualDub.subset.Delete();\r\n"
         "VirtualDub.SaveAVI(\"" +
         dir + Doubled(kJoinerStep.writes) +
         "\");\r\n"
         "VirtualDub.Close();";
}

}  // namespace

std::string BuildEscapedInstallDir(const std::string& install_dir) { return Doubled(install_dir); }

std::optional<WriteFailure> JobScriptWriter(FileSystem& files, const std::string& escaped_install_dir) {
  return WriteWholeFile(files, kJobScriptPath, JobScript(escaped_install_dir));
}

}  // namespace kelvarro
