#include "engine/logged_services.h"

#include "port/file_system.h"

namespace stp {

LoggedServices::LoggedServices(SystemServices services, RunReport& report)
    : services_(services),
      profile_(services.profile, report),
      registry_(services.registry, report),
      shortcuts_(services.shortcuts, report) {}

void LoggedServices::Profile::WriteString(const std::string& path, const std::string& section,
                                          const std::string& key, const std::string& value) {
  try {
    inner.WriteString(path, section, key, value);
  } catch (...) {
    failed = true;
    throw;
  }
  // The record lists a file once it is complete and stamped: exactly what
  // the removal will later find.
  if (section == "InstalledFiles") report.Event("Datei: " + value);
}

// Logged before the write: a failure that the adapter reports follows its line.
void LoggedServices::Registry::WriteRegString(const std::string& key_path, const std::string& name,
                                              const std::string& value) {
  report.Event("Registrierung: HKEY_LOCAL_MACHINE\\" + key_path + ", " + name + " = " + value);
  inner.WriteRegString(key_path, name, value);
}

void LoggedServices::Registry::RegisterUninstall(const std::string& entry_name,
                                                 const std::string& display_name,
                                                 const std::string& uninstall_command) {
  report.Event("Deinstallationseintrag: " + entry_name + ", DisplayName = " + display_name +
               ", UninstallString = " + uninstall_command);
  inner.RegisterUninstall(entry_name, display_name, uninstall_command);
}

void LoggedServices::Shortcuts::SaveShellLink(const std::string& target, const std::string& working_directory,
                                              const std::string& link_file) {
  inner.SaveShellLink(target, working_directory, link_file);
  // The shell link reports nothing, and the interactive run shows nothing;
  // the log at least says which one is missing.
  if (port::FileExists(link_file)) {
    report.Event("Verknüpfung: " + link_file + " -> " + target);
  } else {
    report.Record(MessageKind::kWarning, "Die Verknüpfung " + link_file + " konnte nicht angelegt werden");
  }
}

}  // namespace stp
