#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// What the system information page asks of the system.

// The version query with the structure of 148 bytes that every Win32 platform
// knows. Should the query fail, the platform identifier names none of them.
OSVERSIONINFOA QueryOsVersion();
DWORD ProcessorCount();
// Total physical memory in bytes.
std::uint64_t TotalPhysicalMemory();

// The registry key of the first processor, opened for reading only; missing
// or refused, it counts as not open.
class ProcessorKey {
 public:
  ProcessorKey();
  ~ProcessorKey();
  ProcessorKey(const ProcessorKey&) = delete;
  ProcessorKey& operator=(const ProcessorKey&) = delete;

  // A string value; empty when it or the key is missing. A value of another
  // type throws stp::Error "Ungültiger Datentyp für '<name>'".
  std::string ReadString(const std::string& name) const;
  // An integer value. Missing (or the key not open) throws stp::Error
  // "Konnte Daten für '<name>' nicht holen"; another type "Ungültiger Datentyp ...".
  DWORD ReadInteger(const std::string& name) const;

 private:
  HKEY key_ = nullptr;
};
