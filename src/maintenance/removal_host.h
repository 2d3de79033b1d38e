#pragma once

#include <string>

#include "setup/profile.h"

namespace stp {

// What the removal asks of whoever shows it: the maintenance page of
// Setup.exe, or the launcher. No window messages are processed during the
// removal; the caller repaints only when asked to.
class RemovalHost {
 public:
  virtual ~RemovalHost() = default;

  // The progress gauge; the maximum is the number of listed entries, the
  // position the number of entries dealt with.
  virtual void SetGaugeMaximum(int maximum) = 0;
  virtual void SetGaugePosition(int position) = 0;
  // Makes the progress panel visible and repaints it at once.
  virtual void ShowProgressPanel() = 0;
};

// The registry traces of an installation, below HKEY_LOCAL_MACHINE. A
// failure is shown to the user by the implementation in its own words and
// yields false; a key or entry that is not there is no failure.
class RemovalRegistry {
 public:
  virtual ~RemovalRegistry() = default;

  // Deletes the key at key_path with its subkeys; the keys above it stay.
  virtual bool DeleteProductKey(const std::string& key_path) = 0;
  // Deletes the uninstall entry of that name with its subkeys.
  virtual bool DeleteUninstallEntry(const std::string& entry_name) = 0;
};

// The file operations of the removal, on Windows paths. Each reports failure
// by its result only.
class RemovalFiles {
 public:
  virtual ~RemovalFiles() = default;

  // The profile file at path; a missing or unreadable one reads as empty.
  virtual ProfileFile LoadProfile(const std::string& path) = 0;
  // Lifts every attribute, a read-only flag included.
  virtual bool ClearFileAttributes(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Succeeds only when the directory is empty.
  virtual bool RemoveEmptyDirectory(const std::string& path) = 0;
  // Whether a file or directory is there.
  virtual bool Exists(const std::string& path) = 0;
};

// RemovalFiles on the computer's own file system.
class DiskRemovalFiles final : public RemovalFiles {
 public:
  ProfileFile LoadProfile(const std::string& path) override;
  bool ClearFileAttributes(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveEmptyDirectory(const std::string& path) override;
  bool Exists(const std::string& path) override;
};

}  // namespace stp
