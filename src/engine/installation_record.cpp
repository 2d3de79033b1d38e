#include "engine/installation_record.h"

namespace stp {

InstallationRecord::InstallationRecord(const std::string& destination, ProfileWriter& writer)
    : destination_(destination), path_(destination + "Setup\\Setup.ini"), writer_(writer) {}

void InstallationRecord::WriteHeader(const std::string& setup_program, const SetupConfiguration& config) {
  Write("General", "Setup.exe", setup_program);
  Write("General", "Organisation", config.Organisation);
  Write("General", "Product", config.Product);
  Write("General", "Version", config.Version);
  Write("General", "EVersion", config.EVersion);
}

void InstallationRecord::InstalledFile(int key, const std::string& path) {
  Write("InstalledFiles", std::to_string(key), path);
}

void InstallationRecord::CreatedLink(int key, const std::string& path) {
  Write("CreatedLinks", std::to_string(key), path);
}

void InstallationRecord::WriteTrailer() { Write("General", "Directory", destination_); }

void InstallationRecord::Write(const std::string& section, const std::string& key, const std::string& value) {
  writer_.WriteString(path_, section, key, value);
}

}  // namespace stp
