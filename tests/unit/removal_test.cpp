#include "maintenance/removal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

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
// folders that behave as on Windows (a read-only file resists deletion, a
// folder goes only when empty, letter case does not count), a registry, and
// the page.
class Computer : public RemovalFiles, public RemovalRegistry, public RemovalHost {
 public:
  enum Kind { kFolder, kFile, kReadOnly, kLocked };

  Computer() {
    for (const std::string& place : {kDestination, kWindows, kDesktop, kPrograms}) Add(place);
  }

  // Adds a file or folder with every folder above it.
  void Add(const std::string& path, Kind kind = kFolder, std::string content = "") {
    for (auto cut = path.find('\\', 2); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
      nodes_.try_emplace(Key(path.substr(0, cut)), kFolder);
    }
    nodes_[Key(path)] = kind;
    contents_[Key(path)] = std::move(content);
  }

  bool Exists(const std::string& path) override { return nodes_.count(Key(path)) > 0; }
  ProfileFile LoadProfile(const std::string& path) override {
    log.push_back("load " + path);
    return Exists(path) ? ProfileFile::Parse(contents_[Key(path)]) : ProfileFile();
  }
  bool ClearFileAttributes(const std::string& path) override {
    log.push_back("attrib " + path);
    if (Exists(path) && nodes_[Key(path)] == kReadOnly) nodes_[Key(path)] = kFile;
    return Exists(path);
  }
  bool RemoveFile(const std::string& path) override {
    log.push_back("delete " + path);
    return Exists(path) && nodes_[Key(path)] == kFile && nodes_.erase(Key(path));
  }
  bool RemoveEmptyDirectory(const std::string& path) override {
    log.push_back("rmdir " + path);
    const auto folder = nodes_.find(Key(path));
    if (folder == nodes_.end() || folder->second != kFolder) return false;
    const auto next = std::next(folder);
    return !(next != nodes_.end() && next->first.starts_with(folder->first + '\x01')) &&
           nodes_.erase(Key(path));
  }

  bool DeleteProductKey(const std::string& key_path) override { return Note("key " + key_path); }
  bool DeleteUninstallEntry(const std::string& entry_name) override { return Note("entry " + entry_name); }

  void SetGaugeMaximum(int maximum) override { log.push_back("maximum " + std::to_string(maximum)); }
  void SetGaugePosition(int position) override { log.push_back("position " + std::to_string(position)); }
  void ShowProgressPanel() override { log.push_back("panel"); }

  Left Remove(const std::string& record = "") {
    if (!record.empty()) Add(RecordPath(places.destination).value(), kFile, record);
    return RemoveProduct(product, places, *this, *this, *this);
  }
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
  bool registry_fails = false;
  Log log;

 private:
  bool Note(const std::string& call) {
    log.push_back(call);
    return !registry_fails;
  }
  // "\" sorts first, so that a folder's contents follow it directly.
  static std::string Key(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    for (char& c : path)
      c = c == '\\' ? '\x01' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
  }
  std::map<std::string, Kind> nodes_;
  std::map<std::string, std::string> contents_;
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
      {"C:\\Programme\\Firma Planer\\", "", kNoRecord},
      {"C:\\Programme\\Firma Planer\\", "[General]\nOrganisation=Firma\n", kNoRecord},
      {"", "", kNoFile},
      {"Programme\\Firma Planer\\", "", kNoFile},
      {"C:Firma Planer\\", "", kNoFile},
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
      {"InstalledFiles", kDesktop, ""},
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
      {kDestination, "InstalledFiles", kWindows + "\\Firma\\Planer.dll", kWindows + "\\Firma"},
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

// Setup.exe names the registry traces from Setup.inf, the launcher from the
// record's "General" section; both read alike.
TEST(Removal, TheProductKeyTakesEVersionAndTheUninstallEntryVersion) {
  Computer pc;
  const std::string record = "[General]\nOrganisation=Firma\nProduct=Planer\nVersion=2.0\nEVersion=2.0a\n";
  pc.product = ReadSetupConfiguration(ProfileFile::Parse(record));
  pc.Remove(record);
  EXPECT_EQ(pc.Calls("key"), Log{"Software\\Firma\\Planer\\2.0a"});
  EXPECT_EQ(pc.Calls("entry"), Log{"FirmaPlaner2.0"});
}

TEST(Removal, ReportsWhatStayedBehindAndGoesOn) {
  Computer pc;
  const std::string help = kDestination + "\\Hilfe";
  pc.Add(help + "\\Planer.hlp", Computer::kFile);
  pc.Add(help + "\\Notizen.txt", Computer::kFile);  // the user's own
  pc.Add(kDestination + "\\Planer.exe", Computer::kLocked);
  pc.Add(kDestination + "\\Setup\\LAUNCHER.EXE", Computer::kFile);  // beside the record until that goes
  pc.registry_fails = true;
  const Left left = pc.Remove(
      Record({help + "\\Planer.hlp", kDestination + "\\Planer.exe", kDestination + "\\Setup\\LAUNCHER.EXE",
              kDestination + "\\Fehlt.dll", "C:\\Dokumente\\Brief.doc"}));
  const Left expected = {{Leftover::kFileNotDeleted, kDestination + "\\Planer.exe"},
                         {Leftover::kRefusedEntry, "C:\\Dokumente\\Brief.doc"},
                         {Leftover::kFolderNotRemoved, help},
                         {Leftover::kFolderNotRemoved, kDestination},
                         {Leftover::kProductKeyNotDeleted, "Software\\Firma\\Planer\\2.0"},
                         {Leftover::kUninstallEntryNotDeleted, "FirmaPlaner2.0"}};
  EXPECT_EQ(left, expected);
  EXPECT_TRUE(pc.Exists(help + "\\Notizen.txt"));
  EXPECT_FALSE(pc.Exists(help + "\\Planer.hlp"));
  EXPECT_FALSE(pc.Exists(kRecord));
}

}  // namespace
}  // namespace stp
