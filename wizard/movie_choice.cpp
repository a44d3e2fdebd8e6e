#include "wizard/movie_choice.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <utility>

namespace kelvarro {

NameOnDisc ReadName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "VIDEO_TS.VOB") return {NameOnDisc::Kind::kMenu, "", 0};
  const auto digit = [&](std::size_t i) { return std::isdigit(static_cast<unsigned char>(upper[i])) != 0; };
  if (upper.size() != 12 || upper.compare(0, 4, "VTS_") != 0 || !digit(4) || !digit(5) || upper[6] != '_' ||
      !digit(7) || upper.compare(8, 4, ".VOB") != 0) {
    return {};
  }
  return {upper[7] == '0' ? NameOnDisc::Kind::kMenu : NameOnDisc::Kind::kTitle, upper.substr(4, 2), upper[7]};
}

std::vector<MoviePart> ChooseMovie(FileSystem& files, const std::vector<std::string>& names) {
  // By title set, its parts by number.
  std::map<std::string, std::map<char, MoviePart>> sets;
  for (const std::string& name : names) {
    const NameOnDisc part = ReadName(name);
    if (part.kind != NameOnDisc::Kind::kTitle) continue;
    const std::string path = "input\\" + name;
    if (const std::optional<std::uint64_t> size = files.FileSize(path)) {
      sets[part.set].emplace(part.part, MoviePart{path, *size});
    }
  }
  std::vector<MoviePart> movie;
  std::uint64_t largest = 0;
  for (const auto& [set, parts] : sets) {
    std::uint64_t total = 0;
    for (const auto& [number, part] : parts) total += part.size;
    if (!movie.empty() && total <= largest) continue;
    largest = total;
    movie.clear();
    for (const auto& [number, part] : parts) movie.push_back(part);
  }
  if (movie.empty() && !names.empty()) {
    const std::string path = "input\\" + names.front();
    if (const std::optional<std::uint64_t> size = files.FileSize(path)) movie.push_back({path, *size});
  }
  return movie;
}

}  // namespace kelvarro
