#pragma once

#include "maintenance/removal_host.h"

// The registry traces a removal deletes, through the registry helpers,
// below HKEY_LOCAL_MACHINE. A failure is shown by the helper in its own
// words.
class SystemRemovalRegistry : public stp::RemovalRegistry {
 public:
  // DeleteRegKey: the key with its subkeys; the keys above it stay.
  bool DeleteProductKey(const std::string& key_path) override;
  // DeregisterUninstall.
  bool DeleteUninstallEntry(const std::string& entry_name) override;
};
