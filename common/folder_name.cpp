#include "common/folder_name.h"

#include "common/white_space.h"

namespace kelvarro {

bool SplitsCommandLine(std::string_view name) {
  for (const char c : name) {
    if (IsWhiteSpace(static_cast<unsigned char>(c))) return true;
    switch (c) {
      case ';':
      case ',':
      case '=':
      case '(':
      case ')':
        return true;
      default:
        break;
    }
  }
  return false;
}

namespace {

// What Windows counts: UTF-16 code units, two for a letter beyond the Basic Multilingual Plane.
std::size_t WindowsLength(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;
    if (byte >= 0xF0) ++units;
  }
  return units;
}

// A colon only behind the drive letter.
bool HoldsNoWindowsName(std::string_view folder) {
  for (std::size_t i = 0; i < folder.size(); ++i) {
    switch (folder[i]) {
      case '*':
      case '?':
      case '"':
      case '<':
      case '>':
      case '|':
        return true;
      case ':':
        if (i != 1) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

bool FitsBatchFile(std::string_view name) {
  return !SplitsCommandLine(name) && WindowsLength(name) <= kLongestInBatchFile;
}

}  // namespace

std::string WhyWindowsCannotEnter(std::string_view folder) {
  if (HoldsNoWindowsName(folder)) return "Windows programs cannot enter a folder named with one of \\ : * ? \" < > |";
  const std::size_t length = WindowsLength(folder);
  if (length > kLongestWorkingDirectory) {
    return "its Windows path is " + std::to_string(length) + " characters long, more than a working directory takes (" +
           std::to_string(kLongestWorkingDirectory) + ")";
  }
  return "";
}

FolderChoice ChooseFolderName(std::string_view folder, bool own_name_fits) {
  FolderChoice choice;
  choice.why_not = WhyWindowsCannotEnter(folder);
  if (!choice.why_not.empty()) return choice;
  choice.name = FitsBatchFile(folder) && own_name_fits ? FolderChoice::Name::kOwn : FolderChoice::Name::kShort;
  return choice;
}

FolderName ShortFolderName(const ShortForm& short_form) {
  if (short_form.path.empty()) return {false, "", short_form.why_not};
  if (!FitsBatchFile(short_form.path)) return {false, "", "it has no short form that a batch file can take"};
  return {true, short_form.path, ""};
}

}  // namespace kelvarro
