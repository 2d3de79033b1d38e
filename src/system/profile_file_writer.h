#pragma once

#include "setup/profile_writer.h"

// Writes the installation record through the platform's
// WritePrivateProfileStringA, one value per call, so that each value is in
// the file once the call returns.
class PrivateProfileWriter : public stp::ProfileWriter {
 public:
  // Throws ProfileWriteError(path) whenever the platform reports a failure:
  // Wine, for one, returns FALSE for a folder that is missing.
  void WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
};
