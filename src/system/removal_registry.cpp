#include "system/removal_registry.h"

#include "system/registry.h"

bool SystemRemovalRegistry::DeleteProductKey(const std::string& key_path) {
  return DeleteRegKey(HKEY_LOCAL_MACHINE, key_path, messages_);
}

bool SystemRemovalRegistry::DeleteUninstallEntry(const std::string& entry_name) {
  return DeregisterUninstall(entry_name, messages_);
}
