#include "maintenance/removal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <string>

#include "setup/setup_log.h"
#include "support/medium.h"
#include "support/temp_dir.h"
#include "unattended/unattended_removal.h"

namespace stp {
namespace {

using Log = std::vector<std::string>;
using Left = std::vector<LeftBehind>;

const std::string kDestination = "C:\\Programme\\Firma Planer";
const std::string kRecord = kDestination + "\\Setup\\Setup.ini";
const std::string kWindows = "C:\\WINDOWS";
const std::string kDesktop = "C:\\Dokumente\\Bob\\Desktop";
const std::string kPrograms = "C:\\Dokumente\\Bob\\Startmen\xFC\\Programme";  // Startmenü
const std::string kKey = "key Software\\Firma\\Planer\\2.0";
const std::string kEntry = "entry FirmaPlaner2.0";

// A computer as the removal sees it, logging every call in order: files and
// folders that behave as on Windows (a read-only file resists deletion until
// its attributes are cleared, a locked one always, a folder goes only when
// empty, letter case does not count), a registry, and the page.
class Computer : public RemovalFiles, public RemovalRegistry, public RemovalHost {
 public:
  enum Kind { kFolder, kFile, kReadOnly, kLocked };

  Computer() {
    for (const std::string& place : {kDestination, kWindows, kDesktop, kPrograms}) Add(place);
  }

  // Adds a file or folder with every folder above it.
  void Add(const std::string& path, Kind kind = kFolder, std::string content = "") {
    for (auto cut = path.find('\\', 2); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
      nodes.try_emplace(Key(path.substr(0, cut)), kFolder);
    }
    nodes[Key(path)] = kind;
    contents_[Key(path)] = std::move(content);
  }

  bool Exists(const std::string& path) override { return nodes.count(Key(path)) > 0; }
  ProfileFile LoadProfile(const std::string& path) override {
    log.push_back("load " + path);
    return Exists(path) ? ProfileFile::Parse(contents_[Key(path)]) : ProfileFile();
  }
  bool ClearFileAttributes(const std::string& path) override {
    log.push_back("attrib " + path);
    if (Exists(path) && nodes[Key(path)] == kReadOnly) nodes[Key(path)] = kFile;
    return Exists(path);
  }
  bool RemoveFile(const std::string& path) override {
    log.push_back("delete " + path);
    return Exists(path) && nodes[Key(path)] == kFile && nodes.erase(Key(path));
  }
  bool RemoveEmptyDirectory(const std::string& path) override {
    log.push_back("rmdir " + path);
    const auto folder = nodes.find(Key(path));
    if (folder == nodes.end() || folder->second != kFolder) return false;
    const auto next = std::next(folder);
    return !(next != nodes.end() && next->first.starts_with(folder->first + '\x01')) &&
           nodes.erase(Key(path));
  }

  bool DeleteProductKey(const std::string& key_path) override { return Note("key " + key_path, key_fails); }
  bool DeleteUninstallEntry(const std::string& entry) override { return Note("entry " + entry, entry_fails); }

  void SetGaugeMaximum(int maximum) override { log.push_back("maximum " + std::to_string(maximum)); }
  void SetGaugePosition(int position) override { log.push_back("position " + std::to_string(position)); }
  void ShowProgressPanel() override { log.push_back("panel"); }

  Left Remove(const std::string& record = "") {
    if (!record.empty()) Add(RecordPath(places.destination).value(), kFile, record);
    return RemoveProduct(product, places, *this, *this, *this);
  }
  // Setup.exe /u /S: the log's lines, without their time.
  RunOutcome RemoveLogged(const std::string& record = "") {
    const auto path = RecordPath(places.destination);
    if (path && !record.empty()) Add(*path, kFile, record);
    const RunOutcome outcome = RemoveUnattended(product, places, *this, *this, report_);
    LogEnd(log_, outcome);
    return outcome;
  }
  Log LogLines() const { return test::LogLines(logs_.Read("setup.log")); }
  // The logged calls of one kind, without the kind.
  Log Calls(const std::string& kind) const {
    Log calls;
    for (const std::string& line : log) {
      if (line.starts_with(kind + " ")) calls.push_back(line.substr(kind.size() + 1));
    }
    return calls;
  }

  SetupConfiguration product = ReadSetupConfiguration(
      ProfileFile::Parse("[General]\nOrganisation=Firma\nProduct=Planer\nVersion=2.0\nEVersion=2.0\n"));
  InstallationPlaces places{kDestination + "\\", kWindows, kDesktop, kPrograms};
  bool key_fails = false;
  bool entry_fails = false;
  Log log;
  std::map<std::string, Kind> nodes;

 private:
  bool Note(const std::string& call, bool fails) {
    log.push_back(call);
    return !fails;
  }
  // "\" sorts first, so that a folder's contents follow it directly.
  static std::string Key(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    for (char& c : path)
      c = c == '\\' ? '\x01' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
  }
  std::map<std::string, std::string> contents_;
  test::TempDir logs_;
  SetupLog log_{logs_.Path() + "setup.log", [] { return LogTime{2024, 3, 9, 7, 5, 0}; }};
  RunReport report_{log_};
};

// A record whose lists take their keys from 1 on.
std::string Record(const Log& files, const Log& links = {}, const std::string& directory = kDestination) {
  std::string text = "[General]\nDirectory=" + directory + "\n[InstalledFiles]\n";
  for (std::size_t i = 0; i < files.size(); ++i) text += std::to_string(i + 1) + "=" + files[i] + "\n";
  text += "[CreatedLinks]\n";
  for (std::size_t i = 0; i < links.size(); ++i) text += std::to_string(i + 1) + "=" + links[i] + "\n";
  return text;
}

TEST(Removal, DeletesFilesThenLinksThenTheRecordAndTheRegistryTracesLast) {
  Computer pc;
  const std::string exe = kDestination + "\\Planer.exe";
  const std::string help = kDestination + "\\Hilfe";
  const std::string ini = kWindows + "\\Planer.ini";
  const std::string group = kPrograms + "\\Firma";
  for (const std::string& file : {help + "\\a.hlp", help + "\\b.hlp", ini, group + "\\Planer.lnk"}) {
    pc.Add(file, Computer::kFile);
  }
  pc.Add(exe, Computer::kReadOnly);
  const Left left =
      pc.Remove(Record({exe, help + "\\a.hlp", help + "\\b.hlp", ini}, {group + "\\Planer.lnk"}));
  const Log expected = {"load " + kRecord, "position 0", "maximum 5", "panel",
                        // The destination itself goes only after the record.
                        "attrib " + exe, "delete " + exe, "position 1", "attrib " + help + "\\a.hlp",
                        "delete " + help + "\\a.hlp", "rmdir " + help, "position 2",
                        "attrib " + help + "\\b.hlp", "delete " + help + "\\b.hlp", "rmdir " + help,
                        "position 3", "attrib " + ini, "delete " + ini, "position 4",
                        "attrib " + group + "\\Planer.lnk", "delete " + group + "\\Planer.lnk",
                        "rmdir " + group, "position 5", "panel", "attrib " + kRecord, "delete " + kRecord,
                        "rmdir " + kDestination + "\\Setup", "rmdir " + kDestination, kKey, kEntry};
  EXPECT_EQ(pc.log, expected);
  EXPECT_EQ(left, Left{});
  EXPECT_FALSE(pc.Exists(kDestination));
  EXPECT_TRUE(pc.Exists(kWindows));
}

TEST(Removal, ListsEndAtTheFirstMissingOrEmptyKey) {
  const std::pair<const char*, Log> kCases[] = {
      {"[InstalledFiles]\n1=C:\\W\\1\n2=C:\\W\\2\n4=C:\\W\\4\n[CreatedLinks]\n2=C:\\W\\5\n",
       {"C:\\W\\1", "C:\\W\\2", kRecord}},
      {"[InstalledFiles]\n1=C:\\W\\1\n2=\n3=C:\\W\\3\n[CreatedLinks]\n1=C:\\W\\5\n",
       {"C:\\W\\1", "C:\\W\\5", kRecord}},
  };
  for (const auto& [record, deleted] : kCases) {
    Computer pc;
    pc.places.windows_directory = "C:\\W";
    pc.Remove(record);
    EXPECT_EQ(pc.Calls("delete"), deleted) << record;
    EXPECT_EQ(pc.Calls("maximum"), Log{"2"}) << record;
  }
}

// Without a usable destination the record and every folder would be looked
// for relative to the current directory: nothing on disk is touched then.
// The registry traces go in every case, so that the product no longer counts
// as installed.
TEST(Removal, WithoutAUsableRecordOnlyEmptyFoldersAndTheRegistryTracesGo) {
  const Log kNoFile = {"position 0", "maximum 0", "panel", "panel", kKey, kEntry};
  const Log kNoRecord = {"load " + kRecord,
                         "position 0",
                         "maximum 0",
                         "panel",
                         "panel",
                         "attrib " + kRecord,
                         "delete " + kRecord,
                         "rmdir " + kDestination + "\\Setup",
                         "rmdir " + kDestination,
                         kKey,
                         kEntry};
  const struct {
    const char* destination;
    const char* record;  // nullptr: none
    const Log& log;
  } kCases[] = {
      {"C:\\Programme\\Firma Planer\\", nullptr, kNoRecord},
      {"C:\\Programme\\Firma Planer\\", "[General]\nOrganisation=Firma\n", kNoRecord},
      {"", "", kNoFile},
      {"\\\\?\\C:\\Programme\\Firma Planer\\", "", kNoFile},
  };
  for (const auto& c : kCases) {
    Computer pc;
    if (c.record) pc.Add(kRecord, Computer::kFile, c.record);
    pc.places.destination = c.destination;
    const Left left = pc.Remove();
    EXPECT_EQ(pc.log, c.log) << c.destination;
    const Left expected = &c.log == &kNoFile ? Left{{Leftover::kNoUsableDestination, c.destination}} : Left{};
    EXPECT_EQ(left, expected) << c.destination;
  }
}

// The record found below the destination is the one removed: a "Directory"
// that names another folder may belong to another installation.
TEST(Removal, KeepsToTheDestinationTheRecordWasFoundIn) {
  for (const std::string directory : {"", "c:/programme/FIRMA PLANER\\", "D:\\Anders\\", "Anders\\"}) {
    Computer pc;
    pc.Add("D:\\Anders\\Setup\\Setup.ini", Computer::kFile);
    const Left left = pc.Remove(Record({kDestination + "\\a.txt"}, {}, directory));
    EXPECT_EQ(pc.Calls("delete"), (Log{kDestination + "\\a.txt", kRecord})) << directory;
    EXPECT_EQ(pc.Calls("rmdir"), (Log{kDestination + "\\Setup", kDestination})) << directory;
    const bool other = directory.find("Anders") != std::string::npos;
    EXPECT_EQ(left, (other ? Left{{Leftover::kOtherDirectory, directory}} : Left{})) << directory;
    EXPECT_TRUE(pc.Exists("D:\\Anders\\Setup\\Setup.ini"));
  }
}

// A record that was edited or damaged can list any path.
TEST(Removal, DeletesOnlyEntriesBelowThePlacesAnInstallationWritesTo) {
  const struct {
    const char* section;
    std::string listed;
    std::string deleted;  // empty: refused
  } kCases[] = {
      {"InstalledFiles", "c:/programme/FIRMA PLANER/a.exe", "c:\\programme\\FIRMA PLANER\\a.exe"},
      {"InstalledFiles", kWindows + "\\System\\a.dll", kWindows + "\\System\\a.dll"},
      {"InstalledFiles", kDesktop + "\\Liesmich.txt", kDesktop + "\\Liesmich.txt"},
      {"CreatedLinks", kPrograms + "\\Planer.lnk", kPrograms + "\\Planer.lnk"},
      {"InstalledFiles", kPrograms + "\\Planer.lnk", ""},  // files do not go there
      {"CreatedLinks", "C:\\Dokumente\\Bob\\Brief.doc", ""},
      {"InstalledFiles", kDestination + "2\\a.exe", ""},
      {"InstalledFiles", kDestination, ""},
      {"InstalledFiles", kDestination + "\\..\\..\\Dokumente\\Bob\\Brief.doc", ""},
      {"InstalledFiles", "a.exe", ""},
  };
  for (const auto& c : kCases) {
    Computer pc;
    const Left left = pc.Remove(std::string("[") + c.section + "]\n1=" + c.listed + "\n");
    EXPECT_EQ(pc.Calls("delete"), (c.deleted.empty() ? Log{kRecord} : Log{c.deleted, kRecord})) << c.listed;
    EXPECT_EQ(left, (c.deleted.empty() ? Left{{Leftover::kRefusedEntry, c.listed}} : Left{})) << c.listed;
    EXPECT_EQ(pc.Calls("position").back(), "1");
  }
}

TEST(Removal, NeverRemovesAFolderTheProductDoesNotOwn) {
  // Windows 95 keeps the desktop and the start menu inside its own directory.
  const std::string desktop = kWindows + "\\Desktop";
  const std::string programs = kWindows + "\\Startmen\xFC\\Programme";
  const struct {
    std::string destination;
    const char* section;
    std::string listed;
    std::string removed;  // the one folder that goes besides the record's
  } kCases[] = {
      {kDestination, "InstalledFiles", kWindows + "\\Planer.ini", ""},
      {kDestination, "InstalledFiles", desktop + "\\Liesmich.txt", ""},
      {kDestination, "CreatedLinks", programs + "\\Planer.lnk", ""},
      {kDestination, "CreatedLinks", programs + "\\Firma\\Planer.lnk", programs + "\\Firma"},
      {desktop, "InstalledFiles", desktop + "\\Planer.exe", desktop + "\\Setup"},
      {kWindows, "InstalledFiles", desktop + "\\Planer.exe", kWindows + "\\Setup"},
      {"D:\\", "InstalledFiles", "D:\\Planer.exe", "D:\\Setup"},
  };
  for (const auto& c : kCases) {
    Computer pc;
    pc.places = {c.destination, kWindows, desktop, programs};
    for (const std::string& folder : {desktop, programs, std::string("D:")}) pc.Add(folder);
    pc.Add(c.listed, Computer::kFile);
    pc.Remove(std::string("[") + c.section + "]\n1=" + c.listed + "\n");
    const Log rmdir = pc.Calls("rmdir");
    for (const std::string& folder : {std::string("C:"), std::string("D:"), kWindows, desktop, programs}) {
      EXPECT_EQ(std::count(rmdir.begin(), rmdir.end(), folder), 0) << c.listed << " " << folder;
      EXPECT_TRUE(pc.Exists(folder)) << c.listed << " " << folder;
    }
    if (c.removed.empty()) continue;
    EXPECT_EQ(std::count(rmdir.begin(), rmdir.end(), c.removed), 1) << c.listed;
    EXPECT_FALSE(pc.Exists(c.removed)) << c.listed;
  }
}

// An installation of two files and a shortcut.
std::string TwoFilesAndALink(Computer& pc) {
  const Log files = {kDestination + "\\a.txt", kDestination + "\\sub\\b.txt",
                     kPrograms + "\\Firma\\Planer.lnk"};
  for (const std::string& file : files) pc.Add(file, Computer::kFile);
  return Record({files[0], files[1]}, {files[2]});
}

// The product key takes EVersion, the uninstall entry Version; Setup.exe
// reads both from Setup.inf, the launcher from the record.
TEST(RemoveUnattended, ACompleteRemovalAndItsLog) {
  Computer pc;
  pc.product.EVersion = "2.0a";
  EXPECT_EQ(pc.RemoveLogged(TwoFilesAndALink(pc)), RunOutcome::kRemoved);
  EXPECT_EQ(pc.LogLines(), (Log{
                               "Deinstallation aus: " + kDestination + "\\",
                               "Entfernt: " + kDestination + "\\a.txt",
                               "Entfernt: " + kDestination + "\\sub\\b.txt",
                               "Ordner entfernt: " + kDestination + "\\sub",
                               "Entfernt: " + kPrograms + "\\Firma\\Planer.lnk",
                               "Ordner entfernt: " + kPrograms + "\\Firma",
                               "Entfernt: " + kRecord,
                               "Ordner entfernt: " + kDestination + "\\Setup",
                               "Ordner entfernt: " + kDestination,
                               "Registrierung entfernt: HKEY_LOCAL_MACHINE\\Software\\Firma\\Planer\\2.0a",
                               "Deinstallationseintrag entfernt: FirmaPlaner2.0",
                               "Ergebnis: Deinstallation abgeschlossen",
                               "Ende: Exitcode 0",
                           }));
}

// The product must no longer count as installed, and its files must be
// gone; what the user added, and what the record names outside the
// installation, stays without making the removal a failure. Where nothing
// is installed, nothing is touched.
TEST(RemoveUnattended, WhatStaysAndWhetherThatIsAFailure) {
  const std::string kNotEmpty = " (Ordner ist nicht leer oder kann nicht entfernt werden)";
  const struct {
    const char* name;
    std::function<void(Computer&, std::string& record)> arrange;
    RunOutcome outcome;
    Log stayed;
  } kCases[] = {
      {"a file of the user's",
       [](Computer& pc, std::string&) { pc.Add(kDestination + "\\sub\\eigenes.txt", Computer::kFile); },
       RunOutcome::kRemoved,
       {"Geblieben: " + kDestination + "\\sub" + kNotEmpty, "Geblieben: " + kDestination + kNotEmpty}},
      {"an entry outside the installation",
       [](Computer&, std::string& record) {
         record.insert(record.find("[CreatedLinks]"), "3=D:\\Fremd\\x.txt\n");
       },
       RunOutcome::kRemoved,
       {"Geblieben: D:\\Fremd\\x.txt (liegt nicht dort, wohin Setup installiert, und wurde nicht "
        "angerührt)"}},
      {"a file in use",
       [](Computer& pc, std::string&) { pc.Add(kDestination + "\\a.txt", Computer::kLocked); },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: " + kDestination + "\\a.txt (Datei konnte nicht gelöscht werden)",
        "Geblieben: " + kDestination + kNotEmpty}},
      {"the product key refused",
       [](Computer& pc, std::string&) { pc.key_fails = true; },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: Software\\Firma\\Planer\\2.0 (Registrierungsschlüssel konnte nicht gelöscht werden)"}},
      {"an unusable destination",
       [](Computer& pc, std::string&) { pc.places.destination = "Ziel"; },
       RunOutcome::kRemovalIncomplete,
       {"Geblieben: Ziel (kein vollständiger Pfad, nichts darin wurde entfernt)"}},
      {"nothing installed",
       [](Computer& pc, std::string& record) {
         pc.places.destination.clear();
         record.clear();
       },
       RunOutcome::kNothingInstalled,
       {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Computer pc;
    std::string record = TwoFilesAndALink(pc);
    c.arrange(pc, record);
    const auto before = pc.nodes;
    EXPECT_EQ(pc.RemoveLogged(record), c.outcome);
    Log stayed;
    for (const std::string& line : pc.LogLines()) {
      if (line.starts_with("Geblieben: ")) stayed.push_back(line);
    }
    EXPECT_EQ(stayed, c.stayed);
    const Log lines = pc.LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Log(lines.end() - 2, lines.end()),
              (Log{"Ergebnis: " + OutcomeText(c.outcome),
                   "Ende: Exitcode " + std::to_string(static_cast<int>(ExitCodeOf(c.outcome)))}));
    if (c.outcome == RunOutcome::kNothingInstalled) {
      EXPECT_EQ(pc.nodes, before);
    }
  }
}

}  // namespace
}  // namespace stp
