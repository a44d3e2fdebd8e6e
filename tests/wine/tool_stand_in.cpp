// Stands in for each of the external tools that process.bat starts. It appends its own command
// line to temp\tools.log in the current directory, so a test can see which tools ran, in what
// order and with which arguments. Like the real tools it reads the files its command line names
// and writes the ones it makes, each holding what it was made of, so that a test can tell which
// movie a file came from; a missing input makes it fail with exit code 1 and write nothing. As
// the decoder it takes its time first, so that a batch line that did not wait for it would log
// ahead of it. The decoder makes the sound of each stream the VOB files name ("streams 0x80
// 0x81"); a VOB file that names none has stream 0x80 alone, as most discs do.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

bool Read(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  content.clear();
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
  std::fclose(file);
  return true;
}

bool Write(const std::string& path, const std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  return std::fclose(file) == 0 && written;
}

// The argument behind `flag`, or the one that starts with it.
std::string After(int argc, char** argv, const char* flag, bool joined) {
  for (int i = 1; i < argc; ++i) {
    if (joined && std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return argv[i] + std::strlen(flag);
    if (!joined && std::strcmp(argv[i], flag) == 0 && i + 1 < argc) return argv[i + 1];
  }
  return "";
}

int Decode(int argc, char** argv) {
  std::string list;
  if (!Read(After(argc, argv, "-b", false), list)) return 1;
  std::string vobs;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = list.find("\r\n", start);
    std::string vob;
    if (!Read(list.substr(start, end - start), vob)) return 1;
    vobs += vob;
    start = end == std::string::npos ? list.size() : end + 2;
  }
  const std::string stream = After(argc, argv, "-a", true);
  const std::string video = After(argc, argv, "-o8", false);
  if (!Write(video, "video of [" + vobs + "]")) return 1;
  const bool on_disc =
      vobs.find(stream) != std::string::npos || (vobs.find("0x8") == std::string::npos && stream == "0x80");
  if (on_disc && !Write(video + "stream" + stream + ".ac3", "sound " + stream + " of [" + vobs + "]")) return 1;
  return 0;
}

// The last two arguments: what the tool reads and what it makes of it.
int Convert(int argc, char** argv, const char* kind) {
  std::string input;
  if (argc < 3 || !Read(argv[argc - 2], input)) return 1;
  return Write(argv[argc - 1], std::string(kind) + " of [" + input + "]") ? 0 : 1;
}

// The job script's quoted path after `call`, its backslashes single again.
std::string ScriptPath(const std::string& script, const char* call) {
  const std::size_t start = script.find(call);
  if (start == std::string::npos) return "";
  const std::size_t open = start + std::strlen(call);
  std::string path = script.substr(open, script.find('"', open) - open);
  for (std::size_t at = path.find("\\\\"); at != std::string::npos; at = path.find("\\\\", at + 1)) path.erase(at, 1);
  return path;
}

int Join(int argc, char** argv) {
  std::string script;
  std::string video;
  std::string sound;
  if (!Read(After(argc, argv, "/s", true), script)) return 1;
  if (!Read(ScriptPath(script, "VirtualDub.Open(\""), video)) return 1;
  if (!Read(ScriptPath(script, "VirtualDub.audio.SetSource(\""), sound)) return 1;
  // Told to fail (STAND_IN_JOINER_EXIT=N), it writes half of its movie and ends with exit code N.
  const char* const fail = std::getenv("STAND_IN_JOINER_EXIT");
  const std::string avi = "avi of [" + video + "] with [" + sound + "]";
  if (!Write(ScriptPath(script, "VirtualDub.SaveAVI(\""), avi.substr(0, fail ? avi.size() / 2 : avi.size()))) return 1;
  return fail != nullptr ? std::atoi(fail) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) line += (i > 0 ? " " : "") + std::string(argv[i]);
  const bool decoder = std::strstr(argv[0], "m2apx3g") != nullptr;
  if (decoder) std::this_thread::sleep_for(std::chrono::milliseconds(700));

  std::FILE* log = std::fopen("temp\\tools.log", "ab");
  if (log == nullptr) return 2;
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);

  if (decoder) return Decode(argc, argv);
  if (std::strstr(argv[0], "azid") != nullptr) return Convert(argc, argv, "wav");
  if (std::strstr(argv[0], "lame") != nullptr) return Convert(argc, argv, "mp3");
  if (std::strstr(argv[0], "nandub") != nullptr) return Join(argc, argv);
  return 0;
}
