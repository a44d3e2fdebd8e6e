// The short form from the system, through the wide calls: they take paths of any length and
// letters of any code page.

#include <windows.h>

#include <string>

#include "common/platform_paths.h"
#include "common/wide_text.h"

namespace kelvarro::platform {

ShortForm SystemShortForms::Of(const std::string& path) const {
  ShortForm result;
  result.why_not = "it has no short form";
  std::wstring wide;
  if (path.empty() || !ToWide(CP_UTF8, path, wide)) return result;
  const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
  if (size == 0) return result;
  std::wstring short_wide(size, L'\0');
  const DWORD length = GetShortPathNameW(wide.c_str(), short_wide.data(), size);
  if (length == 0 || length >= size) return result;
  short_wide.resize(length);
  std::string short_path;
  if (!FromWide(CP_UTF8, short_wide, short_path)) return result;
  result.path = short_path;
  result.why_not.clear();
  return result;
}

// The system answers at once.
std::string SystemShortForms::WaitNote() const { return ""; }

std::string WindowsName(const std::string& absolute) { return absolute; }

std::string WorkingFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return "";
  std::wstring wide(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, wide.data());
  if (length == 0 || length >= size) return "";
  wide.resize(length);
  std::string folder;
  if (!FromWide(CP_UTF8, wide, folder)) return "";
  if (folder.back() != '\\') folder.push_back('\\');
  return folder;
}

namespace {

// What the system knows a folder by: its volume's serial number and its file index. Under Wine
// the serial is one for all of Z:, and the index is the inode.
bool Identity(const wchar_t* folder, BY_HANDLE_FILE_INFORMATION& info) {
  const HANDLE handle = CreateFileW(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool known = GetFileInformationByHandle(handle, &info) != 0;
  CloseHandle(handle);
  return known;
}

}  // namespace

FolderMatch IsWorkingFolder(const std::string& folder) {
  FolderMatch match;
  std::wstring wide;
  BY_HANDLE_FILE_INFORMATION there{};
  BY_HANDLE_FILE_INFORMATION here{};
  if (ToWide(CP_UTF8, folder, wide) && Identity(wide.c_str(), there) && Identity(L".", here) &&
      there.dwVolumeSerialNumber == here.dwVolumeSerialNumber && there.nFileIndexHigh == here.nFileIndexHigh &&
      there.nFileIndexLow == here.nFileIndexLow) {
    match.outcome = FolderMatch::Outcome::kSame;
  }
  return match;
}

}  // namespace kelvarro::platform
