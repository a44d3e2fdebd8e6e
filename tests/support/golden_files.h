#pragma once

// The files a constant-bitrate run writes, as tests/golden holds them for the install directory
// kGoldenDir. For another directory, kGoldenDir is replaced wherever the file names it, each as
// the file writes it: as it is in process.bat, with its backslashes doubled in multi.vcf.

#include <fstream>
#include <sstream>
#include <string>

namespace kelvarro::testing {

inline const std::string kGoldenDir = "d:\\divxstuff\\kelvarro0.7.1\\";

inline std::string DoubledBackslashes(const std::string& text) {
  std::string doubled;
  for (const char c : text) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return doubled;
}

// tests/golden/`name` with `dir` (as the file writes it) in place of kGoldenDir.
inline std::string GoldenFile(const std::string& name, const std::string& dir) {
  std::ifstream in(std::string(KELVARRO_GOLDEN_DIR) + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  const std::string golden = name == "multi.vcf" ? DoubledBackslashes(kGoldenDir) : kGoldenDir;
  for (std::size_t at = text.find(golden); at != std::string::npos; at = text.find(golden, at + dir.size())) {
    text.replace(at, golden.size(), dir);
  }
  return text;
}

inline std::string JobScriptFor(const std::string& escaped_dir) { return GoldenFile("multi.vcf", escaped_dir); }
inline std::string ConstantRunBatchFile(const std::string& dir) { return GoldenFile("process.bat", dir); }

}  // namespace kelvarro::testing
