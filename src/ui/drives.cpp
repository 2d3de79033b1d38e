#include "ui/drives.h"

#include <windows.h>
#include <winnetwk.h>

#include <algorithm>
#include <optional>

#include "port/directory_path.h"

namespace ui {

namespace {

constexpr int kDriveCount = 26;

// While it lives, a drive without medium fails at once instead of asking
// the user to insert one.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
  }
  ~QuietDriveErrors() { SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

std::optional<DriveKind> KindOf(UINT drive_type) {
  switch (drive_type) {
    case DRIVE_REMOVABLE: return DriveKind::kRemovable;
    case DRIVE_FIXED: return DriveKind::kFixed;
    case DRIVE_REMOTE: return DriveKind::kNetwork;
    case DRIVE_CDROM: return DriveKind::kCdRom;
    case DRIVE_RAMDISK: return DriveKind::kRamDisk;
    // A drive of a kind the system cannot tell is still a drive.
    case DRIVE_UNKNOWN: return DriveKind::kFixed;
  }
  return std::nullopt;
}

std::optional<std::string> VolumeName(const std::string& root) {
  char name[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), name, sizeof name, nullptr, nullptr, nullptr, nullptr, 0)) {
    return std::nullopt;
  }
  return name;
}

std::optional<std::string> NetworkPath(char letter) {
  const char device[] = {letter, ':', '\0'};
  char remote[MAX_PATH + 1] = {};
  DWORD length = sizeof remote;
  if (WNetGetConnectionA(device, remote, &length) != NO_ERROR) return std::nullopt;
  return remote;
}

}  // namespace

std::vector<DriveEntry> PresentDrives() {
  QuietDriveErrors quiet;
  std::vector<DriveEntry> drives;
  const DWORD present = GetLogicalDrives();
  for (int index = 0; index < kDriveCount; ++index) {
    if (!(present & (1u << index))) continue;
    const char letter = static_cast<char>('A' + index);
    const std::string root = std::string(1, letter) + ":\\";
    const std::optional<DriveKind> kind = KindOf(GetDriveTypeA(root.c_str()));
    if (!kind) continue;
    const bool removable = *kind == DriveKind::kRemovable;
    const bool network = *kind == DriveKind::kNetwork;
    const std::optional<std::string> remote = network ? NetworkPath(letter) : std::nullopt;
    const std::optional<std::string> volume = removable || remote ? std::nullopt : VolumeName(root);
    drives.push_back({letter, *kind, DriveCaption(letter, *kind, volume, remote)});
  }
  return drives;
}

std::vector<std::string> Subdirectories(const std::string& directory) {
  QuietDriveErrors quiet;
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((stp::WithTrailingBackslash(directory) + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) || name == "." || name == "..") {
      continue;
    }
    names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return names;
}

std::string FullDirectoryPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return path;
  const std::string result(full, length);
  // "C:\" stays the root; "C:\A\" becomes "C:\A".
  return result.size() > 3 ? stp::WithoutTrailingBackslash(result) : result;
}

}  // namespace ui
