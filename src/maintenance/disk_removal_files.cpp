#include "maintenance/removal_host.h"
#include "port/file_system.h"

namespace stp {

ProfileFile DiskRemovalFiles::LoadProfile(const std::string& path) { return ProfileFile::Load(path); }

bool DiskRemovalFiles::ClearFileAttributes(const std::string& path) {
  return port::ClearFileAttributes(path);
}

bool DiskRemovalFiles::RemoveFile(const std::string& path) { return port::RemoveFile(path); }

bool DiskRemovalFiles::RemoveEmptyDirectory(const std::string& path) {
  return port::RemoveEmptyDirectory(path);
}

bool DiskRemovalFiles::Exists(const std::string& path) {
  return port::FileExists(path) || port::DirectoryExists(path);
}

}  // namespace stp
