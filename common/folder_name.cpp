#include "common/folder_name.h"

#include "common/byte_reader.h"

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

FolderName NameFolder(const std::string& folder, const TextEncoder& encode, const ShortPathLookup& short_path_of) {
  FolderName name;
  if (!SplitsCommandLine(folder) && encode(folder, name.text)) {
    name.found = true;
    return name;
  }
  name.text.clear();
  const ShortForm short_form = short_path_of(folder);
  if (short_form.path.empty()) {
    name.why_not = short_form.why_not;
    return name;
  }
  name.found = !SplitsCommandLine(short_form.path) && encode(short_form.path, name.text);
  if (!name.found) {
    // Where the volume keeps no 8.3 names, the lookup hands the long form back.
    name.text.clear();
    name.why_not = "it has no short form that a batch file can take";
  }
  return name;
}

}  // namespace kelvarro
