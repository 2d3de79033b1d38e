#pragma once

#include <shlwapi.h>
#include <windows.h>

#include <string>

// Registry values a test sets up: of any type, a string or an integer, the
// key and the keys above it created as needed.
namespace driver {

inline void SetRegistryValue(HKEY root, const std::string& key_path, const std::string& name, DWORD type,
                             const std::string& data) {
  SHSetValueA(root, key_path.c_str(), name.c_str(), type, data.data(), static_cast<DWORD>(data.size()));
}

inline void SetRegistryString(HKEY root, const std::string& key_path, const std::string& name,
                              const std::string& text) {
  SetRegistryValue(root, key_path, name, REG_SZ, text + '\0');
}

inline void SetRegistryInteger(HKEY root, const std::string& key_path, const std::string& name, DWORD value) {
  SetRegistryValue(root, key_path, name, REG_DWORD,
                   std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

}  // namespace driver
