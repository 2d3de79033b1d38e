#include "maintenance/removal.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "port/full_path.h"

namespace stp {
namespace {

constexpr char kRecordName[] = "Setup\\Setup.ini";

// Keys "1", "2", ... up to the first missing or empty value: a gap ends the
// list, as the installation numbers its entries without one.
std::vector<std::string> ListedPaths(const ProfileFile& record, std::string_view section) {
  std::vector<std::string> paths;
  for (int number = 1;; ++number) {
    std::string path = record.ReadString(section, std::to_string(number), "");
    if (path.empty()) return paths;
    paths.push_back(std::move(path));
  }
}

class Remover {
 public:
  Remover(const InstallationPlaces& places, RemovalFiles& files)
      : destination_(FullPath::Parse(places.destination)),
        windows_(FullPath::Parse(places.windows_directory)),
        desktop_(FullPath::Parse(places.desktop_folder)),
        programs_(FullPath::Parse(places.programs_folder)),
        files_(files) {}

  const std::optional<FullPath>& Destination() const { return destination_; }

  // Deletes one listed file or shortcut and tries its own folder.
  void RemoveEntry(const std::string& listed, bool is_link) {
    const std::optional<FullPath> path = FullPath::Parse(listed);
    if (!path || !IsInstalledPlace(*path, is_link)) {
      left_.push_back({Leftover::kRefusedEntry, listed});
      return;
    }
    RemoveFile(path->Text());
    // Only the file's own folder: a parent goes when it is itself the folder
    // of a later entry.
    const FullPath folder = path->Parent();
    if (MayRemove(folder)) RemoveFolder(folder);
  }

  // The record, its Setup folder and the destination itself. The record
  // found below the destination is the one removed, whatever its "Directory"
  // says: another directory may hold another installation.
  void RemoveRecordAndDestination(const std::string& recorded_directory) {
    if (!recorded_directory.empty()) {
      const std::optional<FullPath> directory = FullPath::Parse(recorded_directory);
      if (!directory || !directory->IsSameAs(*destination_)) {
        left_.push_back({Leftover::kOtherDirectory, recorded_directory});
      }
    }
    RemoveFile(destination_->Directory() + kRecordName);
    const FullPath setup_folder = *FullPath::Parse(destination_->Directory() + "Setup");
    if (MayRemove(setup_folder)) RemoveFolder(setup_folder);
    if (!IsSystemFolder(*destination_)) RemoveFolder(*destination_);
  }

  // A folder is tried once for each entry in it and may go only at the last
  // try, so what stayed is known only at the end.
  void NoteFoldersKept() {
    for (const FullPath& folder : tried_folders_) {
      if (files_.Exists(folder.Text())) left_.push_back({Leftover::kFolderNotRemoved, folder.Text()});
    }
  }

  void Note(Leftover why, std::string what) { left_.push_back({why, std::move(what)}); }
  std::vector<LeftBehind> TakeLeftBehind() { return std::move(left_); }

 private:
  // Files lie below the destination, the Windows directory or the desktop;
  // shortcuts also below the Programs folder.
  bool IsInstalledPlace(const FullPath& path, bool is_link) const {
    const auto below = [&path](const std::optional<FullPath>& place) {
      return place && path.IsBelow(*place);
    };
    return below(destination_) || below(windows_) || below(desktop_) || (is_link && below(programs_));
  }

  // Never a drive's root, the Windows directory, the desktop or Programs
  // folder, nor a folder that holds one of them: the product does not own
  // them, even when it was installed into one.
  bool IsSystemFolder(const FullPath& folder) const {
    const auto holds = [&folder](const std::optional<FullPath>& place) {
      return place && folder.IsSameOrAbove(*place);
    };
    return folder.IsRoot() || holds(windows_) || holds(desktop_) || holds(programs_);
  }

  // Nor the destination or a folder above it: the destination goes last,
  // after the record.
  bool MayRemove(const FullPath& folder) const {
    return !IsSystemFolder(folder) && !(destination_ && folder.IsSameOrAbove(*destination_));
  }

  void RemoveFile(const std::string& path) {
    files_.ClearFileAttributes(path);
    if (!files_.RemoveFile(path) && files_.Exists(path)) left_.push_back({Leftover::kFileNotDeleted, path});
  }

  void RemoveFolder(const FullPath& folder) {
    files_.RemoveEmptyDirectory(folder.Text());
    for (const FullPath& tried : tried_folders_) {
      if (tried.IsSameAs(folder)) return;
    }
    tried_folders_.push_back(folder);
  }

  // A place that is unknown or no usable full path stays empty: nothing is
  // below it.
  std::optional<FullPath> destination_;
  std::optional<FullPath> windows_;
  std::optional<FullPath> desktop_;
  std::optional<FullPath> programs_;
  RemovalFiles& files_;
  std::vector<FullPath> tried_folders_;
  std::vector<LeftBehind> left_;
};

}  // namespace

std::optional<std::string> RecordPath(const std::string& destination) {
  const std::optional<FullPath> directory = FullPath::Parse(destination);
  if (!directory) return std::nullopt;
  return directory->Directory() + kRecordName;
}

std::vector<LeftBehind> RemoveProduct(const SetupConfiguration& product, const InstallationPlaces& places,
                                      RemovalHost& host, RemovalFiles& files, RemovalRegistry& registry) {
  Remover remover(places, files);
  const bool has_destination = remover.Destination().has_value();
  ProfileFile record;
  if (has_destination) {
    record = files.LoadProfile(remover.Destination()->Directory() + kRecordName);
  } else {
    // Without a full path, the record and every folder would be looked for
    // relative to the current directory.
    remover.Note(Leftover::kNoUsableDestination, places.destination);
  }
  const std::vector<std::string> installed = ListedPaths(record, "InstalledFiles");
  const std::vector<std::string> links = ListedPaths(record, "CreatedLinks");

  host.SetGaugePosition(0);
  host.SetGaugeMaximum(static_cast<int>(installed.size() + links.size()));
  host.ShowProgressPanel();
  int done = 0;
  for (const auto* list : {&installed, &links}) {
    for (const std::string& listed : *list) {
      remover.RemoveEntry(listed, list == &links);
      host.SetGaugePosition(++done);
    }
  }
  host.ShowProgressPanel();

  if (has_destination) remover.RemoveRecordAndDestination(record.ReadString("General", "Directory", ""));
  remover.NoteFoldersKept();

  const std::string key = ProductKey(product);
  if (!registry.DeleteProductKey(key)) remover.Note(Leftover::kProductKeyNotDeleted, key);
  const std::string entry = UninstallEntryName(product);
  if (!registry.DeleteUninstallEntry(entry)) remover.Note(Leftover::kUninstallEntryNotDeleted, entry);
  return remover.TakeLeftBehind();
}

}  // namespace stp
