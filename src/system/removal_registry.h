#pragma once

#include "maintenance/removal_host.h"
#include "setup/message_sink.h"

// The registry traces a removal deletes, through the registry helpers,
// below HKEY_LOCAL_MACHINE. A failure goes to the run's messages in the
// helper's own words.
class SystemRemovalRegistry : public stp::RemovalRegistry {
 public:
  explicit SystemRemovalRegistry(stp::MessageSink& messages) : messages_(messages) {}

  // DeleteRegKey: the key with its subkeys; the keys above it stay.
  bool DeleteProductKey(const std::string& key_path) override;
  // DeregisterUninstall.
  bool DeleteUninstallEntry(const std::string& entry_name) override;

 private:
  stp::MessageSink& messages_;
};
