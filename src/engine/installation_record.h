#pragma once

#include <string>

#include "setup/configuration.h"
#include "setup/profile_writer.h"

namespace stp {

// The installation record, Setup\Setup.ini below the destination: what a
// run installed, for the maintenance run to remove. Every call writes one
// value through the profile writer, so each reaches the file at once; a
// write that fails throws "Kann nicht nach " + Path() + " schreiben" and
// leaves the record as written up to then. The record is never emptied: an
// installation over an older one keeps the older keys beyond its own.
class InstallationRecord {
 public:
  // destination ends in "\".
  InstallationRecord(const std::string& destination, ProfileWriter& writer);

  const std::string& Path() const { return path_; }

  // [General] "Setup.exe" (the running setup program), "Organisation",
  // "Product", "Version", "EVersion": the first writes of a run.
  void WriteHeader(const std::string& setup_program, const SetupConfiguration& config);
  // [InstalledFiles] key = the full path of a file, once it is stamped.
  void InstalledFile(int key, const std::string& path);
  // [CreatedLinks] key = the full path of a shortcut file.
  void CreatedLink(int key, const std::string& path);
  // [General] "Directory" = the destination: the last write of a complete
  // run; a record without it belongs to a run that stopped early.
  void WriteTrailer();

 private:
  void Write(const std::string& section, const std::string& key, const std::string& value);

  std::string destination_;
  std::string path_;
  ProfileWriter& writer_;
};

}  // namespace stp
