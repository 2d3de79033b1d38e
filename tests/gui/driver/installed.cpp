#include "driver/installed.h"

#include <shlobj.h>

#include <fstream>
#include <iterator>

namespace driver {

namespace {

constexpr DWORD kValueLength = 1024;

std::uint64_t Bits(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

}  // namespace

std::optional<std::string> FileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<FileTimes> TimesOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  FILETIME creation{}, access{}, write{};
  const BOOL read = GetFileTime(file, &creation, &access, &write);
  CloseHandle(file);
  if (!read) return std::nullopt;
  return FileTimes{Bits(creation), Bits(access), Bits(write)};
}

std::string ProfileString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& fallback) {
  char value[kValueLength] = {};
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value,
                                                kValueLength, path.c_str());
  return std::string(value, length);
}

std::vector<std::string> ProfileKeys(const std::string& path, const std::string& section) {
  std::vector<char> names(32768, '\0');
  const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                                static_cast<DWORD>(names.size()), path.c_str());
  std::vector<std::string> keys;
  for (DWORD start = 0; start < length;) {
    keys.emplace_back(names.data() + start);
    start += static_cast<DWORD>(keys.back().size()) + 1;
  }
  return keys;
}

std::optional<std::string> RegistryString(HKEY root, const std::string& key_path, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, key_path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  char data[kValueLength + 1] = {};
  DWORD size = kValueLength;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::string(data);
}

std::vector<std::string> InstalledSoftware() {
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherited, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write;
  startup.hStdError = write;
  PROCESS_INFORMATION process{};
  char command[] = "uninstaller.exe --list";
  const BOOL started = CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(write);
  std::string output;
  if (started) {
    char block[4096];
    DWORD got = 0;
    while (ReadFile(read, block, sizeof block, &got, nullptr) && got > 0) output.append(block, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(read);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < output.size();) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<Shortcut> ReadShortcut(const std::string& path) {
  CoInitialize(nullptr);
  std::optional<Shortcut> result;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
      char target[MAX_PATH] = {};
      char directory[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
          SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
          SUCCEEDED(link->GetWorkingDirectory(directory, MAX_PATH))) {
        result = Shortcut{target, directory};
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return result;
}

}  // namespace driver
