#include "system/shell_folders.h"

#include <shlobj.h>
#include <windows.h>

#include <cstring>

namespace {

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A string value of the user's Shell Folders key; empty when the key or the
// value is missing, or the value is no folder name.
std::string ShellFoldersValue(const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return "";
  char data[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "";
  return std::string(data, strnlen(data, size));
}

// An empty folder would put shortcuts and desktop files at the root of the
// current drive; the shell knows the folder even when the value is gone.
std::string UserFolder(const char* value_name, int csidl) {
  const std::string folder = ShellFoldersValue(value_name);
  if (!folder.empty()) return folder;
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return "";
  return path;
}

}  // namespace

std::string UserShellFolders::ProgramsFolder() { return UserFolder("Programs", CSIDL_PROGRAMS); }

std::string UserShellFolders::DesktopFolder() { return UserFolder("Desktop", CSIDL_DESKTOPDIRECTORY); }

std::string UserShellFolders::WindowsDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length < MAX_PATH ? std::string(path, length) : std::string();
}
