#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/system_services.h"
#include "port/file_system.h"
#include "setup/message_sink.h"

namespace stp::test {

// The platform under an installation run, logging every call in order into
// events (the host's, so that one list shows everything). Profile writes go
// to disk, shortcuts become empty files. A refused registry write goes to
// messages, as the adapter does; the run itself cannot tell.
class FakeSystem : public ProfileWriter, public RegistryTraces, public ShortcutWriter, public ShellFolders {
 public:
  FakeSystem(std::vector<std::string>& events, MessageSink& messages)
      : events_(events), messages_(messages) {}

  void WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override {
    events_.push_back("[" + section + "] " + key);
    profile_.WriteString(path, section, key, value);
  }
  void WriteRegString(const std::string& key_path, const std::string& name,
                      const std::string& value) override {
    Registry("registry " + key_path + " " + name + "=" + value, key_path);
  }
  void RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                         const std::string& uninstall_command) override {
    Registry("uninstall " + entry_name + "|" + display_name + "|" + uninstall_command, entry_name);
  }
  void SaveShellLink(const std::string& target, const std::string& working_directory,
                     const std::string& link_file) override {
    events_.push_back("shortcut " + link_file);
    if (shortcuts_fail) return;
    port::File::Create(link_file).Close();  // its folder must be there
    links.emplace_back(target, working_directory);
  }
  std::string ProgramsFolder() override { return programs; }
  std::string DesktopFolder() override { return desktop; }
  std::string WindowsDirectory() override { return windows; }

  SystemServices Services() { return {*this, *this, *this, *this}; }

  bool registry_fails = false;
  bool shortcuts_fail = false;
  std::string programs, desktop, windows;
  std::vector<std::pair<std::string, std::string>> links;  // target, working directory

 private:
  void Registry(const std::string& call, const std::string& detail) {
    events_.push_back(call);
    if (registry_fails) {
      messages_.Show(MessageKind::kError, "Fehler beim Zugriff auf die Systemregistrierung aufgetreten.",
                     detail);
    }
  }

  std::vector<std::string>& events_;
  MessageSink& messages_;
  PortableProfileWriter profile_;
};

}  // namespace stp::test
