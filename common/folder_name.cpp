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

FolderName NameFolder(const std::string& folder, const TextEncoder& encode, const ShortForms& short_forms,
                      Console* told) {
  FolderName name;
  name.why_not = WhyWindowsCannotEnter(folder);
  if (!name.why_not.empty()) return name;
  if (FitsBatchFile(folder) && encode(folder, name.text)) {
    name.found = true;
    return name;
  }
  name.text.clear();
  if (told != nullptr) told->Write(short_forms.WaitNote());
  const ShortForm short_form = short_forms.Of(folder);
  if (short_form.path.empty()) {
    name.why_not = short_form.why_not;
    return name;
  }
  name.found = FitsBatchFile(short_form.path) && encode(short_form.path, name.text);
  if (!name.found) {
    // Where the volume keeps no 8.3 names, the lookup hands the long form back.
    name.text.clear();
    name.why_not = "it has no short form that a batch file can take";
  }
  return name;
}

}  // namespace kelvarro
