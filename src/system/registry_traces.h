#pragma once

#include "engine/system_services.h"
#include "setup/message_sink.h"

// The product key and the uninstall entry of an installation, through the
// registry helpers, below HKEY_LOCAL_MACHINE. A failure goes to the run's
// messages, and the run goes on.
class SystemRegistryTraces : public stp::RegistryTraces {
 public:
  explicit SystemRegistryTraces(stp::MessageSink& messages) : messages_(messages) {}

  void WriteRegString(const std::string& key_path, const std::string& name,
                      const std::string& value) override;
  void RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                         const std::string& uninstall_command) override;

 private:
  stp::MessageSink& messages_;
};
