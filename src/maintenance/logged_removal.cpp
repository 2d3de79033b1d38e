#include "maintenance/logged_removal.h"

namespace stp {
namespace {

class LoggedFiles final : public RemovalFiles {
 public:
  LoggedFiles(RemovalFiles& inner, RunReport& report) : inner_(inner), report_(report) {}

  ProfileFile LoadProfile(const std::string& path) override { return inner_.LoadProfile(path); }
  bool ClearFileAttributes(const std::string& path) override { return inner_.ClearFileAttributes(path); }
  bool RemoveFile(const std::string& path) override {
    const bool removed = inner_.RemoveFile(path);
    if (removed) report_.Event("Entfernt: " + path);
    return removed;
  }
  bool RemoveEmptyDirectory(const std::string& path) override {
    const bool removed = inner_.RemoveEmptyDirectory(path);
    if (removed) report_.Event("Ordner entfernt: " + path);
    return removed;
  }
  bool Exists(const std::string& path) override { return inner_.Exists(path); }

 private:
  RemovalFiles& inner_;
  RunReport& report_;
};

class LoggedRegistry final : public RemovalRegistry {
 public:
  LoggedRegistry(RemovalRegistry& inner, RunReport& report) : inner_(inner), report_(report) {}

  bool DeleteProductKey(const std::string& key_path) override {
    const bool deleted = inner_.DeleteProductKey(key_path);
    if (deleted) report_.Event("Registrierung entfernt: HKEY_LOCAL_MACHINE\\" + key_path);
    return deleted;
  }
  bool DeleteUninstallEntry(const std::string& entry_name) override {
    const bool deleted = inner_.DeleteUninstallEntry(entry_name);
    if (deleted) report_.Event("Deinstallationseintrag entfernt: " + entry_name);
    return deleted;
  }

 private:
  RemovalRegistry& inner_;
  RunReport& report_;
};

bool IsFailure(Leftover why) {
  switch (why) {
    case Leftover::kNoUsableDestination:
    case Leftover::kFileNotDeleted:
    case Leftover::kProductKeyNotDeleted:
    case Leftover::kUninstallEntryNotDeleted: return true;
    case Leftover::kRefusedEntry:
    case Leftover::kOtherDirectory:
    case Leftover::kFolderNotRemoved: return false;
  }
  return true;
}

// The log's words for why something stayed.
std::string LeftoverText(Leftover why) {
  switch (why) {
    case Leftover::kNoUsableDestination: return "kein vollständiger Pfad, nichts darin wurde entfernt";
    case Leftover::kRefusedEntry:
      return "liegt nicht dort, wohin Setup installiert, und wurde nicht angerührt";
    case Leftover::kOtherDirectory:
      return "Setup.ini nennt dieses andere Verzeichnis; es wurde nicht angerührt";
    case Leftover::kFileNotDeleted: return "Datei konnte nicht gelöscht werden";
    case Leftover::kFolderNotRemoved: return "Ordner ist nicht leer oder kann nicht entfernt werden";
    case Leftover::kProductKeyNotDeleted: return "Registrierungsschlüssel konnte nicht gelöscht werden";
    case Leftover::kUninstallEntryNotDeleted: return "Deinstallationseintrag konnte nicht gelöscht werden";
  }
  return {};
}

}  // namespace

RunOutcome RunLoggedRemoval(const SetupConfiguration& product, const InstallationPlaces& places,
                            RemovalHost& host, RemovalFiles& files, RemovalRegistry& registry,
                            RunReport& report) {
  LoggedFiles logged_files(files, report);
  LoggedRegistry logged_registry(registry, report);
  const std::vector<LeftBehind> left = RemoveProduct(product, places, host, logged_files, logged_registry);
  bool complete = true;
  for (const LeftBehind& item : left) {
    report.Event("Geblieben: " + item.what + " (" + LeftoverText(item.why) + ")");
    if (IsFailure(item.why)) complete = false;
  }
  return complete ? RunOutcome::kRemoved : RunOutcome::kRemovalIncomplete;
}

}  // namespace stp
