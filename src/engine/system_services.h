#pragma once

#include <string>

#include "setup/profile_writer.h"

namespace stp {

// The registry traces of an installation. Each call writes below
// HKEY_LOCAL_MACHINE; a failure is shown to the user by the adapter
// ("Fehler beim Zugriff auf die Systemregistrierung aufgetreten.") and is
// never passed on: the run goes on.
class RegistryTraces {
 public:
  virtual ~RegistryTraces() = default;

  // WriteRegString: a string value, creating the key and the keys above it.
  virtual void WriteRegString(const std::string& key_path, const std::string& name,
                              const std::string& value) = 0;
  // RegisterUninstall: the uninstall entry's "DisplayName", then its
  // "UninstallString".
  virtual void RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                                 const std::string& uninstall_command) = 0;
};

// Makes shortcut files (the shell link object in Setup.exe).
class ShortcutWriter {
 public:
  virtual ~ShortcutWriter() = default;

  // Saves a shortcut at link_file (its folder exists) that starts target in
  // working_directory; nothing else is set. Nothing is reported: a shortcut
  // that cannot be made is simply missing.
  virtual void SaveShellLink(const std::string& target, const std::string& working_directory,
                             const std::string& link_file) = 0;
};

// The folders an installation puts files and shortcuts into.
class ShellFolders {
 public:
  virtual ~ShellFolders() = default;

  // The current user's start-menu Programs folder, read afresh on every
  // call: the value "Programs" of the user's Shell Folders key, or, when it
  // is missing or empty, what the shell reports. Empty when neither knows.
  virtual std::string ProgramsFolder() = 0;
  // The user's desktop folder ("Desktop"), found the same way.
  virtual std::string DesktopFolder() = 0;
  // The Windows directory as the platform reports it.
  virtual std::string WindowsDirectory() = 0;
};

// What only the platform can do for an installation run.
struct SystemServices {
  ProfileWriter& profile;
  RegistryTraces& registry;
  ShortcutWriter& shortcuts;
  ShellFolders& folders;
};

}  // namespace stp
