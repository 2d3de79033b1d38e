#pragma once

#include <optional>
#include <string>
#include <vector>

#include "maintenance/removal_host.h"
#include "setup/configuration.h"

namespace stp {

// The places an installation writes to, as full paths (a trailing "\" is
// optional). A place that is empty or no usable full path counts as unknown:
// nothing below it is deleted.
struct InstallationPlaces {
  // The recorded destination directory; its Setup\Setup.ini is the record.
  // Setup.exe takes it from the product key's "Ort", the launcher from where
  // it finds the record.
  std::string destination;
  std::string windows_directory;
  std::string desktop_folder;
  std::string programs_folder;
};

// Why something of the product stayed on the computer.
enum class Leftover {
  // The destination is no usable full path: no record was read, no file or
  // folder was touched.
  kNoUsableDestination,
  // The record lists it, but not as a plain full path below a place the
  // installation writes to; it was not touched.
  kRefusedEntry,
  // The record names another destination directory than the one it was
  // found in; that directory was not touched.
  kOtherDirectory,
  kFileNotDeleted,
  // A folder that could not be removed, mostly because it is not empty.
  kFolderNotRemoved,
  kProductKeyNotDeleted,
  kUninstallEntryNotDeleted,
};

struct LeftBehind {
  Leftover why;
  // A path; the key path or entry name for the registry traces.
  std::string what;

  bool operator==(const LeftBehind&) const = default;
};

// The record's path below a destination directory, or nothing when the
// directory is no usable full path.
std::optional<std::string> RecordPath(const std::string& destination);

// Removes an installed product: everything its record lists below the places
// the installation writes to, each listed file's own folder when it is
// empty, the record, its Setup folder and the destination when empty, then
// the product key and the uninstall entry. Failures never stop it. The
// product's identity (Organisation, Product, Version, EVersion) names the
// registry traces; Setup.exe has it from Setup.inf, the launcher from the
// record's "General" section (ReadSetupConfiguration reads both alike).
// Returns what stayed behind, in the order met.
std::vector<LeftBehind> RemoveProduct(const SetupConfiguration& product, const InstallationPlaces& places,
                                      RemovalHost& host, RemovalFiles& files, RemovalRegistry& registry);

}  // namespace stp
