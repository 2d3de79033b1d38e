#pragma once

#include <string>

#include "engine/system_services.h"
#include "setup/run_report.h"

namespace stp {

// The system services of an installation run with every use written to the
// run's log: each installed file (as the installation record lists it),
// each shortcut, each registry value and the uninstall entry. Used by every
// run that has a log, with pages or without.
class LoggedServices {
 public:
  LoggedServices(SystemServices services, RunReport& report);
  LoggedServices(const LoggedServices&) = delete;
  LoggedServices& operator=(const LoggedServices&) = delete;

  // What the installation run is given in place of the services.
  SystemServices Services() { return {profile_, registry_, shortcuts_, services_.folders}; }
  // Whether a write to the installation record failed: the record cannot
  // be written, and a run that ends with an error ends for that reason.
  bool RecordWriteFailed() const { return profile_.failed; }

 private:
  struct Profile : ProfileWriter {
    Profile(ProfileWriter& inner, RunReport& report) : inner(inner), report(report) {}
    void WriteString(const std::string& path, const std::string& section, const std::string& key,
                     const std::string& value) override;
    ProfileWriter& inner;
    RunReport& report;
    bool failed = false;
  };
  struct Registry : RegistryTraces {
    Registry(RegistryTraces& inner, RunReport& report) : inner(inner), report(report) {}
    void WriteRegString(const std::string& key_path, const std::string& name,
                        const std::string& value) override;
    void RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                           const std::string& uninstall_command) override;
    RegistryTraces& inner;
    RunReport& report;
  };
  struct Shortcuts : ShortcutWriter {
    Shortcuts(ShortcutWriter& inner, RunReport& report) : inner(inner), report(report) {}
    void SaveShellLink(const std::string& target, const std::string& working_directory,
                       const std::string& link_file) override;
    ShortcutWriter& inner;
    RunReport& report;
  };

  SystemServices services_;
  Profile profile_;
  Registry registry_;
  Shortcuts shortcuts_;
};

}  // namespace stp
