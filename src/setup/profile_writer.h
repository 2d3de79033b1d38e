#pragma once

#include <string>

#include "port/errors.h"

namespace stp {

// Writes profile (INI) files one value at a time, each write reaching the
// file at once: WritePrivateProfileStringA in Setup.exe.
class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;

  // Sets key in section of the profile file at path to value, making the
  // file, the section or the key when missing. Throws ProfileWriteError(path)
  // when the file cannot take it.
  virtual void WriteString(const std::string& path, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

// A profile write that failed: "Kann nicht nach " + path + " schreiben".
Error ProfileWriteError(const std::string& path, std::string detail = {});

// A profile writer over the file-system seam with the platform's file
// format and rules (ProfileFile::WriteString and Text), for the native tests
// and for whatever runs without the platform's profile functions.
class PortableProfileWriter : public ProfileWriter {
 public:
  void WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace stp
