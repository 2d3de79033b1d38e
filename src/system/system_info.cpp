#include "system/system_info.h"

#include <cstring>
#include <vector>

#include "port/errors.h"

namespace {

constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";
static_assert(sizeof(OSVERSIONINFOA) == 148, "the version structure every Win32 platform accepts");

// A platform identifier that names none of Win32s, Windows and Windows NT.
constexpr DWORD kUnknownPlatform = 0xFFFFFFFF;

stp::Error NoData(const std::string& name) {
  return stp::Error("Konnte Daten für '" + name + "' nicht holen");
}

stp::Error WrongType(const std::string& name, DWORD type) {
  return stp::Error("Ungültiger Datentyp für '" + name + "'", "Typ " + std::to_string(type));
}

}  // namespace

OSVERSIONINFOA QueryOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) {
    info = {};
    info.dwPlatformId = kUnknownPlatform;
  }
  return info;
}

DWORD ProcessorCount() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

std::uint64_t TotalPhysicalMemory() {
  // The old query reports at most 2 or 4 GB to a 32-bit program. Its
  // successor is looked up, so that Setup still starts where it is missing
  // (Windows 95 and NT 4.0).
  using MemoryStatusEx = BOOL(WINAPI*)(MEMORYSTATUSEX*);
  if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
    auto extended = reinterpret_cast<MemoryStatusEx>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GlobalMemoryStatusEx")));
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (extended && extended(&status)) return status.ullTotalPhys;
  }
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return status.dwTotalPhys;
}

// Read access is all the page needs: asking for more would refuse the key to
// users without administrative rights on Windows NT.
ProcessorKey::ProcessorKey() {
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProcessorKey, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) {
    key_ = nullptr;
  }
}

ProcessorKey::~ProcessorKey() {
  if (key_) RegCloseKey(key_);
}

std::string ProcessorKey::ReadString(const std::string& name) const {
  DWORD type = 0;
  DWORD size = 0;
  if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return "";
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw WrongType(name, type);
  // One byte more than stored: a string need not end in a zero in the registry.
  std::vector<char> data(size + 1, '\0');
  if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return "";
  }
  return std::string(data.data(), strnlen(data.data(), size));
}

DWORD ProcessorKey::ReadInteger(const std::string& name) const {
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!key_) throw NoData(name);
  const LONG result =
      RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  // A longer value of another type answers "more data" before its type counts.
  const bool read = result == ERROR_SUCCESS || result == ERROR_MORE_DATA;
  if (!read) throw NoData(name);
  if (result == ERROR_MORE_DATA || type != REG_DWORD || size != sizeof value) throw WrongType(name, type);
  return value;
}
