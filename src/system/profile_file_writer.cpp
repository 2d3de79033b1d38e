#include "system/profile_file_writer.h"

#include <windows.h>

#include "ui/system_error.h"

void PrivateProfileWriter::WriteString(const std::string& path, const std::string& section,
                                       const std::string& key, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
    throw stp::ProfileWriteError(path, ui::SystemErrorText(GetLastError()));
  }
}
