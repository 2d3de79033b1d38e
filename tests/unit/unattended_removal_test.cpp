#include "unattended/unattended_removal.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

#include "maintenance/logged_removal.h"
#include "support/medium.h"
#include "support/temp_dir.h"

namespace stp {
namespace {

using Lines = std::vector<std::string>;

const std::string kDest = "C:\\Ziel";
const std::string kPrograms = "C:\\Dokumente\\Bob\\Startmen\xFC\\Programme";  // Startmenü

// Files and folders as the removal sees them: a locked file resists
// deletion, a folder goes only when empty. The registry may refuse.
class Disk : public RemovalFiles, public RemovalRegistry {
 public:
  enum Kind { kFolder, kFile, kLocked };

  void Add(const std::string& path, Kind kind = kFile) {
    for (auto cut = path.find('\\', 3); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
      nodes.try_emplace(path.substr(0, cut), kFolder);
    }
    nodes[path] = kind;
  }

  ProfileFile LoadProfile(const std::string& path) override {
    return Exists(path) ? ProfileFile::Parse(record) : ProfileFile();
  }
  bool ClearFileAttributes(const std::string& path) override { return Exists(path); }
  bool RemoveFile(const std::string& path) override {
    return Exists(path) && nodes[path] == kFile && nodes.erase(path);
  }
  bool RemoveEmptyDirectory(const std::string& path) override {
    const auto folder = nodes.find(path);
    if (folder == nodes.end() || folder->second != kFolder) return false;
    const auto next = std::next(folder);
    return !(next != nodes.end() && next->first.starts_with(path + "\\")) && nodes.erase(path);
  }
  bool Exists(const std::string& path) override { return nodes.count(path) > 0; }

  bool DeleteProductKey(const std::string&) override { return !key_refused; }
  bool DeleteUninstallEntry(const std::string&) override { return true; }

  std::map<std::string, Kind> nodes;
  std::string record;
  bool key_refused = false;
};

// An installation of two files and a shortcut, and its record.
struct Removal {
  Disk disk;
  test::TempDir logs;
  SetupLog log{logs.Path() + "setup.log", [] { return LogTime{2024, 3, 9, 7, 5, 0}; }};
  RunReport report{log};
  SetupConfiguration product = test::SampleProduct();
  InstallationPlaces places{kDest + "\\", "C:\\WINDOWS", "C:\\Dokumente\\Bob\\Desktop", kPrograms};

  // The files with their folders.
  Removal() {
    for (const std::string& file : {kDest + "\\a.txt", kDest + "\\sub\\b.txt", kDest + "\\Setup\\Setup.ini",
                                    kPrograms + "\\Beispiel\\Liesmich.lnk"}) {
      disk.Add(file);
    }
    disk.record = "[General]\r\nDirectory=" + kDest + "\\\r\n[InstalledFiles]\r\n1=" + kDest +
                  "\\a.txt\r\n2=" + kDest + "\\sub\\b.txt\r\n[CreatedLinks]\r\n1=" + kPrograms +
                  "\\Beispiel\\Liesmich.lnk\r\n";
  }

  RunOutcome Remove() {
    const RunOutcome outcome = RemoveUnattended(product, places, disk, disk, report);
    LogEnd(log, outcome);
    return outcome;
  }

  Lines Log() const {
    Lines lines;
    std::istringstream text(logs.Read("setup.log"));
    for (std::string line; std::getline(text, line);) lines.push_back(line.substr(20, line.size() - 21));
    return lines;
  }
};

TEST(RemoveUnattended, ACompleteRemovalAndItsLog) {
  Removal removal;
  EXPECT_EQ(removal.Remove(), RunOutcome::kRemoved);
  EXPECT_EQ(removal.Log(),
            (Lines{
                "Deinstallation aus: C:\\Ziel\\",
                "Entfernt: C:\\Ziel\\a.txt",
                "Entfernt: C:\\Ziel\\sub\\b.txt",
                "Ordner entfernt: C:\\Ziel\\sub",
                "Entfernt: " + kPrograms + "\\Beispiel\\Liesmich.lnk",
                "Ordner entfernt: " + kPrograms + "\\Beispiel",
                "Entfernt: C:\\Ziel\\Setup\\Setup.ini",
                "Ordner entfernt: C:\\Ziel\\Setup",
                "Ordner entfernt: C:\\Ziel",
                "Registrierung entfernt: HKEY_LOCAL_MACHINE\\Software\\Beispiel\\Textwerk\\2.0",
                "Deinstallationseintrag entfernt: BeispielTextwerk2.0",
                "Ergebnis: Deinstallation abgeschlossen",
                "Ende: Exitcode 0",
            }));
  EXPECT_FALSE(removal.disk.Exists(kDest));
}

// The product must no longer count as installed, and its files must be
// gone; what the user added, and what the record names outside the
// installation, stays without making the removal a failure.
TEST(RemoveUnattended, WhatStaysAndWhetherThatIsAFailure) {
  const struct {
    const char* name;
    std::function<void(Removal&)> arrange;
    RunOutcome outcome;
    Lines stayed;
  } kCases[] = {
      {"a file of the user's",
       [](Removal& r) { r.disk.Add(kDest + "\\sub\\eigenes.txt"); },
       RunOutcome::kRemoved,
       {"Geblieben: C:\\Ziel\\sub (Ordner ist nicht leer oder kann nicht entfernt werden)",
        "Geblieben: C:\\Ziel (Ordner ist nicht leer oder kann nicht entfernt werden)"}},
      {"an entry outside the installation",
       [](Removal& r) {
         r.disk.record.insert(r.disk.record.find("[CreatedLinks]"), "3=D:\\Fremd\\x.txt\r\n");
       },
       RunOutcome::kRemoved,
       {"Geblieben: D:\\Fremd\\x.txt (liegt nicht dort, wohin Setup installiert, und wurde nicht "
        "angerührt)"}},
      {"a file in use",
       [](Removal& r) { r.disk.Add(kDest + "\\a.txt", Disk::kLocked); },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: C:\\Ziel\\a.txt (Datei konnte nicht gelöscht werden)",
        "Geblieben: C:\\Ziel (Ordner ist nicht leer oder kann nicht entfernt werden)"}},
      {"the product key refused",
       [](Removal& r) { r.disk.key_refused = true; },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: Software\\Beispiel\\Textwerk\\2.0 (Registrierungsschlüssel konnte nicht gelöscht "
        "werden)"}},
      {"an unusable destination",
       [](Removal& r) { r.places.destination = "Ziel"; },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: Ziel (kein vollständiger Pfad, nichts darin wurde entfernt)"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Removal removal;
    c.arrange(removal);
    EXPECT_EQ(removal.Remove(), c.outcome);
    Lines stayed;
    for (const std::string& line : removal.Log()) {
      if (line.starts_with("Geblieben: ")) stayed.push_back(line);
    }
    EXPECT_EQ(stayed, c.stayed);
    EXPECT_EQ(removal.Log().back(),
              "Ende: Exitcode " + std::to_string(static_cast<int>(ExitCodeOf(c.outcome))));
  }
}

TEST(RemoveUnattended, NothingToRemoveWhereNothingIsInstalled) {
  Removal removal;
  removal.places.destination.clear();
  const auto before = removal.disk.nodes;
  EXPECT_EQ(removal.Remove(), RunOutcome::kNothingInstalled);
  EXPECT_EQ(removal.disk.nodes, before);
  EXPECT_EQ(removal.Log(),
            (Lines{"Ergebnis: Nichts zu entfernen: das Produkt ist nicht installiert", "Ende: Exitcode 0"}));
}

}  // namespace
}  // namespace stp
