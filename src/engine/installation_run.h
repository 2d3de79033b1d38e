#pragma once

#include <cstdint>
#include <string>

#include "engine/install_host.h"
#include "engine/system_services.h"
#include "setup/configuration.h"
#include "setup/profile.h"
#include "setup/setup_state.h"

namespace stp {

// What the installation page loads from Setup.inf when it is shown.
struct InstallationTables {
  std::int32_t Bytes = 0;  // the progress gauge's maximum
  FileTable files;
  LinkTable links;
};

InstallationTables LoadInstallationTables(const ProfileFile& inf);

// The working directory of a shortcut: the target's folder, up to its last
// "\" or ":", without that "\" unless the folder is a drive root, which
// keeps it ("C:" alone would mean the drive's current directory).
std::string WorkingDirectory(const std::string& target);

// The installation run, started by the installation page's timer: record
// header, every file of the file table, shortcuts, product key, uninstall
// entry, record trailer, run state finished, finish dialog. It reads and
// writes through the host and the system services only; an error raised
// on the way (the setup data, a file-table number, the record) leaves Run
// and the record as written up to then.
class InstallationRun {
 public:
  enum class Outcome {
    kFinished,     // the finish dialog has been shown
    kCancelled,    // the cancel was seen before a file: nothing after the files happened
    kNoSetupData,  // reported to the host; the record holds its header only
  };

  // The state's destination directory ends in "\".
  InstallationRun(SetupState& state, const InstallationTables& tables, InstallationHost& host,
                  SystemServices services);

  Outcome Run();

 private:
  // Makes the shortcut name (below the Programs folder) that starts target.
  void CreateShellLink(const std::string& target, const std::string& name);

  SetupState& state_;
  const InstallationTables& tables_;
  InstallationHost& host_;
  SystemServices services_;
  // Read once at the start of the run; the shortcuts read theirs afresh.
  std::string ProgramsFolder;
  std::string DesktopFolder;
};

}  // namespace stp
