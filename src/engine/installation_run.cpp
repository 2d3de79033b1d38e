#include "engine/installation_run.h"

#include "engine/extraction.h"
#include "engine/installation_record.h"
#include "port/directory_path.h"

namespace stp {

InstallationTables LoadInstallationTables(const ProfileFile& inf) {
  return {ReadTotalBytes(inf), LoadFileTable(inf), LoadLinkTable(inf)};
}

std::string WorkingDirectory(const std::string& target) {
  const auto cut = target.find_last_of("\\:");
  if (cut == std::string::npos) return {};
  if (target[cut] == ':') return target.substr(0, cut + 1);
  const std::string folder = target.substr(0, cut);
  const bool drive_root = folder.size() == 2 && folder[1] == ':';
  return drive_root ? folder + "\\" : folder;
}

InstallationRun::InstallationRun(SetupState& state, const InstallationTables& tables, InstallationHost& host,
                                 SystemServices services)
    : state_(state), tables_(tables), host_(host), services_(services) {}

InstallationRun::Outcome InstallationRun::Run() {
  ProgramsFolder = services_.folders.ProgramsFolder();
  DesktopFolder = services_.folders.DesktopFolder();
  const std::string& dest = state_.DestinationDirectory();
  const SetupConfiguration& config = state_.Config();

  MakeDirectoryPath(dest + "Setup");
  InstallationRecord record(dest, services_.profile);
  record.WriteHeader(state_.ProgramPath(), config);

  const TargetPlaces places{dest, services_.folders.WindowsDirectory(), DesktopFolder};
  Extraction extraction(tables_.files, places, state_.SourceDirectory(), host_,
                        [&record](int key, const std::string& path) { record.InstalledFile(key, path); });
  switch (extraction.InstallFiles()) {
    case Extraction::Outcome::kDone: break;
    case Extraction::Outcome::kCancelled: return Outcome::kCancelled;
    case Extraction::Outcome::kNoSetupData: host_.ReportNoSetupData(); return Outcome::kNoSetupData;
  }

  host_.ShowSystemUpdate();
  const LinkTable& links = tables_.links;
  for (std::size_t j = 0; j < links.LinkNames.size(); ++j) {
    CreateShellLink(dest + links.LinkTargets[j], links.LinkNames[j]);
    // Listed whether or not the shortcut could be made; without a Programs
    // folder there is no place it could be, and a path from the root of the
    // current drive would send the removal there.
    if (!ProgramsFolder.empty()) {
      record.CreatedLink(static_cast<int>(j + 1), ProgramsFolder + "\\" + links.LinkNames[j]);
    }
  }

  services_.registry.WriteRegString(ProductKey(config), "Ort", dest);
  services_.registry.RegisterUninstall(UninstallEntryName(config), ProductTitle(config),
                                       dest + "Setup\\LAUNCHER.EXE");
  record.WriteTrailer();
  state_.SetFinished();
  host_.ShowFinishDialog();
  return Outcome::kFinished;
}

void InstallationRun::CreateShellLink(const std::string& target, const std::string& name) {
  const std::string programs = services_.folders.ProgramsFolder();
  if (programs.empty()) return;
  const std::string link_file = programs + "\\" + name;
  MakeDirectoryPath(link_file.substr(0, link_file.rfind('\\')));
  services_.shortcuts.SaveShellLink(target, WorkingDirectory(target), link_file);
}

}  // namespace stp
