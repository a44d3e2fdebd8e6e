// Stands in for each of the external tools that process.bat starts. It appends its own command
// line to temp\tools.log in the current directory, so a test can see which tools ran, in what
// order and with which arguments. As the decoder it takes its time first, so that a batch line
// that did not wait for it would log ahead of it. A job script named with /s must exist.

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    if (i > 0) line += ' ';
    line += argv[i];
    if (i > 0 && std::strncmp(argv[i], "/s", 2) == 0) {
      std::FILE* script = std::fopen(argv[i] + 2, "rb");
      if (script == nullptr) {
        line += " (job script missing)";
      } else {
        std::fclose(script);
      }
    }
  }
  if (std::strstr(argv[0], "m2apx3g") != nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(700));

  std::FILE* log = std::fopen("temp\\tools.log", "ab");
  if (log == nullptr) return 2;
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);
  return 0;
}
