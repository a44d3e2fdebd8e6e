#pragma once

// Files as the wizard must write them, spelled out independently of the code that writes them.

#include <string>

namespace kelvarro::testing {

// The job script for an install directory given with its backslashes already doubled: CR LF
// after each of the first fifteen lines, nothing after the last.
inline std::string JobScriptFor(const std::string& escaped_dir) {
  return "VirtualDub.Open(\"" + escaped_dir +
         "temp\\\\movie_1.avi\",1,0);\r\n"
         "VirtualDub.audio.SetSource(\"" +
         escaped_dir +
         "temp\\\\audio.mp3\");\r\n"
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
         escaped_dir +
         "output\\\\output.avi\");\r\n"
         "VirtualDub.Close();";
}

}  // namespace kelvarro::testing
