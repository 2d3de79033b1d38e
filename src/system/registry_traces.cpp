#include "system/registry_traces.h"

#include "system/registry.h"

void SystemRegistryTraces::WriteRegString(const std::string& key_path, const std::string& name,
                                          const std::string& value) {
  ::WriteRegString(HKEY_LOCAL_MACHINE, key_path, name, value, messages_);
}

void SystemRegistryTraces::RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                                             const std::string& uninstall_command) {
  ::RegisterUninstall(entry_name, display_name, uninstall_command, messages_);
}
