#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "setup/configuration.h"
#include "support/temp_dir.h"

namespace stp::test {

// The identity of the sample product, Beispiel Textwerk 2.0.
inline SetupConfiguration SampleProduct() {
  SetupConfiguration product;
  product.Organisation = "Beispiel";
  product.Product = "Textwerk";
  product.Version = "2.0";
  product.EVersion = "2.0";
  return product;
}

struct MediumFile {
  std::string target;
  std::string content;
  std::string time = "-1&30000000";  // low half 0xFFFFFFFF, written negative
};

// Packs the files with stptool's pack into setup data below dir (which must
// be empty): one Setup.stp or, with a first volume size, volumes
// Setup1.stp, Setup2.stp, ... beside Setup.inf. Returns the file table.
FileTable WriteMedium(const TempDir& dir, const std::vector<MediumFile>& files,
                      std::int64_t first_volume_size = 0);

// Files through the file-system seam, so that names are Windows-1252 on
// every platform. name is relative to dir, with "\" between its parts.
void WriteFileAt(const TempDir& dir, const std::string& name, const std::string& content,
                 port::FileTime time);
std::string ReadFileAt(const std::string& path);
port::FileTime WriteTimeAt(const std::string& path);
// Changes one byte of a file below dir; a negative position counts from
// its end. The extraction tests' damage keeps the decoded size with this
// change, so that only the CRC-32 finds it.
void FlipByte(const TempDir& dir, const std::string& name, std::int64_t position);
// Whether a file that an extraction decoded into is left anywhere below dir.
bool HoldsPendingFile(const TempDir& dir);
// The lines of a setup log without their time stamps.
std::vector<std::string> LogLines(const std::string& text);

}  // namespace stp::test
