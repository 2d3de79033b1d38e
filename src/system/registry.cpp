#include "system/registry.h"

#include <cstring>
#include <vector>

namespace {

constexpr char kAccessMessage[] = "Fehler beim Zugriff auf die Systemregistrierung aufgetreten.";
constexpr char kDeregisterMessage[] = "Fehler beim Deregistrieren aufgetreten.";

void ShowFailure(stp::MessageSink& messages, const char* message, HKEY root, const std::string& key_path) {
  const std::string root_name = root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE\\" : "";
  messages.Show(stp::MessageKind::kError, message, root_name + key_path);
}

// An open registry key, closed when it goes.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (handle_) RegCloseKey(handle_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  LONG Create(HKEY root, const std::string& path) {
    return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           &handle_, nullptr);
  }
  LONG Open(HKEY root, const std::string& path) {
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &handle_);
  }
  LONG SetString(const std::string& name, const std::string& value) {
    return RegSetValueExA(handle_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
  }
  HKEY Handle() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

// The registry layer treats "a\\b", "a\" and "\a" as other keys than they
// name (empty parts are skipped), so such a path could reach the key above
// the one meant, for instance the whole uninstall list. Deletions and the
// uninstall entry refuse them.
bool HasEmptyPart(const std::string& path) {
  return path.empty() || path.front() == '\\' || path.back() == '\\' ||
         path.find("\\\\") != std::string::npos;
}

// A key that is missing or that the system will not let us touch.
bool IsRefusal(LONG result) { return result == ERROR_FILE_NOT_FOUND || result == ERROR_ACCESS_DENIED; }

// Deletes the subkeys first, then the key; refusals are skipped over.
LONG DeleteKeyTree(HKEY root, const std::string& path) {
  std::vector<std::string> subkeys;
  {
    OpenKey key;
    LONG result = key.Open(root, path);
    if (IsRefusal(result)) return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS) return result;
    DWORD count = 0;
    DWORD longest = 0;
    result = RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
    std::vector<char> name(longest + 1);
    for (DWORD index = 0; index < count; ++index) {
      DWORD length = static_cast<DWORD>(name.size());
      result = RegEnumKeyExA(key.Handle(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (result == ERROR_NO_MORE_ITEMS) break;
      if (result != ERROR_SUCCESS) return result;
      subkeys.emplace_back(name.data(), length);
    }
  }
  for (const std::string& subkey : subkeys) {
    const LONG result = DeleteKeyTree(root, path + "\\" + subkey);
    if (result != ERROR_SUCCESS) return result;
  }
  const LONG result = RegDeleteKeyA(root, path.c_str());
  return IsRefusal(result) ? ERROR_SUCCESS : result;
}

}  // namespace

bool WriteRegString(HKEY root, const std::string& key_path, const std::string& name, const std::string& value,
                    stp::MessageSink& messages) {
  OpenKey key;
  if (key.Create(root, key_path) != ERROR_SUCCESS || key.SetString(name, value) != ERROR_SUCCESS) {
    ShowFailure(messages, kAccessMessage, root, key_path + ", " + name);
    return false;
  }
  return true;
}

std::string ReadRegString(HKEY root, const std::string& key_path, const std::string& name,
                          stp::MessageSink& messages) {
  OpenKey key;
  if (key.Create(root, key_path) != ERROR_SUCCESS) return "";
  DWORD type = 0;
  DWORD size = 0;
  LONG result = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_FILE_NOT_FOUND) return "";
  std::vector<char> data(size + 1, '\0');
  if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    result = RegQueryValueExA(key.Handle(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    // A stored string need not end in a zero; the extra byte provides one.
    if (result == ERROR_SUCCESS) return std::string(data.data(), strnlen(data.data(), size));
  }
  ShowFailure(messages, kAccessMessage, root, key_path + ", " + name);
  return "";
}

bool DeleteRegKey(HKEY root, const std::string& key_path, stp::MessageSink& messages) {
  if (HasEmptyPart(key_path) || DeleteKeyTree(root, key_path) != ERROR_SUCCESS) {
    ShowFailure(messages, kAccessMessage, root, key_path);
    return false;
  }
  return true;
}

bool RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                       const std::string& uninstall_command, stp::MessageSink& messages) {
  const std::string path = kUninstallListKey + entry_name;
  OpenKey key;
  if (HasEmptyPart(path) || key.Create(HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS ||
      key.SetString("DisplayName", display_name) != ERROR_SUCCESS ||
      key.SetString("UninstallString", uninstall_command) != ERROR_SUCCESS) {
    ShowFailure(messages, kAccessMessage, HKEY_LOCAL_MACHINE, path);
    return false;
  }
  return true;
}

bool DeregisterUninstall(const std::string& entry_name, stp::MessageSink& messages) {
  const std::string path = kUninstallListKey + entry_name;
  if (HasEmptyPart(path) || DeleteKeyTree(HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) {
    ShowFailure(messages, kDeregisterMessage, HKEY_LOCAL_MACHINE, path);
    return false;
  }
  return true;
}
