#include "unattended/silent_setup.h"

#include "maintenance/removal_run.h"
#include "pages/system_values.h"
#include "setup/profile.h"
#include "setup/single_setup.h"
#include "system/profile_file_writer.h"
#include "system/registry.h"
#include "system/registry_traces.h"
#include "system/removal_registry.h"
#include "system/shell_folders.h"
#include "system/shell_links.h"
#include "system/system_info.h"
#include "unattended/unattended_installation.h"
#include "unattended/unattended_removal.h"

stp::RunOutcome RunSilentSetup(stp::SetupState& state, const stp::CommandLine& command) {
  stp::RunReport& report = state.Report();
  state.Configure(stp::ReadSetupConfiguration(stp::ProfileFile::Load(state.SourceDirectory() + "Setup.inf")));
  const stp::SetupConfiguration& config = state.Config();
  stp::LogProduct(report.Log(), config);
  // Nobody would see the other Setup brought to the front.
  if (!ClaimSetupRun(config)) return stp::RunOutcome::kAnotherSetupRunning;
  const std::string installed = ReadRegString(HKEY_LOCAL_MACHINE, stp::ProductKey(config), "Ort", report);
  if (command.RemovalRequested()) {
    stp::DiskRemovalFiles files;
    SystemRemovalRegistry registry(report);
    return stp::RemoveUnattended(config, UserInstallationPlaces(installed), files, registry, report);
  }
  const stp::UnattendedInstallation request{
      command.destination, installed, stp::NtRequirementFails(QueryOsVersion().dwPlatformId, config.RequireNT)};
  PrivateProfileWriter profile;
  SystemRegistryTraces registry(report);
  ShellLinkWriter shortcuts;
  UserShellFolders folders;
  return stp::InstallUnattended(state, request, {profile, registry, shortcuts, folders}, report);
}
