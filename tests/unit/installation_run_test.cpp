#include "engine/installation_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "port/file_system.h"
#include "support/medium.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/test_data.h"

namespace stp {
namespace {

namespace fs = std::filesystem;
using test::MediumFile;
using test::RandomBytes;
using Events = std::vector<std::string>;

// The fakes log what the run asks of the platform into the host's events,
// so that one list shows the order of everything.
class LoggingProfileWriter : public ProfileWriter {
 public:
  explicit LoggingProfileWriter(Events& events) : events_(events) {}
  void WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override {
    events_.push_back("[" + section + "] " + key);
    portable_.WriteString(path, section, key, value);
  }

 private:
  Events& events_;
  PortableProfileWriter portable_;
};

// The registry adapter shows its own message when a write fails and goes
// on; the run cannot tell.
class FakeRegistry : public RegistryTraces {
 public:
  explicit FakeRegistry(Events& events) : events_(events) {}
  void WriteRegString(const std::string& key_path, const std::string& name,
                      const std::string& value) override {
    events_.push_back("registry " + key_path + " " + name + "=" + value + Failure());
  }
  void RegisterUninstall(const std::string& entry_name, const std::string& display_name,
                         const std::string& uninstall_command) override {
    events_.push_back("uninstall " + entry_name + "|" + display_name + "|" + uninstall_command + Failure());
  }
  bool fails = false;

 private:
  std::string Failure() const { return fails ? " (refused)" : ""; }
  Events& events_;
};

class FakeShortcuts : public ShortcutWriter {
 public:
  struct Saved {
    std::string target;
    std::string working_directory;
  };
  explicit FakeShortcuts(Events& events) : events_(events) {}
  void SaveShellLink(const std::string& target, const std::string& working_directory,
                     const std::string& link_file) override {
    events_.push_back("shortcut " + link_file);
    if (fails) return;
    port::File::Create(link_file).Close();  // its folder must be there
    saved.push_back({target, working_directory});
  }
  bool fails = false;
  std::vector<Saved> saved;

 private:
  Events& events_;
};

class FakeFolders : public ShellFolders {
 public:
  std::string ProgramsFolder() override { return programs; }
  std::string DesktopFolder() override { return desktop; }
  std::string WindowsDirectory() override { return windows; }
  std::string programs;
  std::string desktop;
  std::string windows;
};

// A medium, a destination and the user's folders, each a folder of its own.
struct Installation {
  test::TempDir medium;
  test::TempDir destination;
  test::TempDir user;
  test::RecordingHost host;
  LoggingProfileWriter profile{host.events};
  FakeRegistry registry{host.events};
  FakeShortcuts shortcuts{host.events};
  FakeFolders folders;
  SetupState state{medium.Path() + "Setup.exe"};
  std::string dest = destination.Path();
  std::string programs = user.Path() + "Startmenü\\Programme";

  // links: the [Links] lines of Setup.inf, "name,target".
  explicit Installation(const std::vector<MediumFile>& files, const std::vector<std::string>& links = {}) {
    if (files.empty()) {
      medium.Write("Setup.inf", "[General]\r\nNextOffset=0\r\n[Files]\r\n[Links]\r\n");
      medium.Write("Setup.stp", "");
    } else {
      test::WriteMedium(medium, files);
    }
    // [Links] is the last section of Setup.inf.
    std::string entries;
    for (std::size_t i = 0; i < links.size(); ++i) entries += std::to_string(i + 1) + "=" + links[i] + "\r\n";
    medium.Write("Setup.inf", medium.Read("Setup.inf") + entries);
    SetupConfiguration config;
    config.Organisation = "Beispiel";
    config.Product = "Textwerk";
    config.Version = "2.0";
    config.EVersion = "2.0a";
    state.Configure(config);
    state.SetDestinationDirectory(dest);
    folders.programs = programs;
    folders.desktop = user.Path() + "Desktop";
    folders.windows = user.Path() + "WINDOWS";
  }

  InstallationRun::Outcome Run() {
    const InstallationTables tables = LoadInstallationTables(ProfileFile::Load(medium.Path() + "Setup.inf"));
    return InstallationRun(state, tables, host, {profile, registry, shortcuts, folders}).Run();
  }

  ProfileFile Record() const { return ProfileFile::Load(dest + "Setup\\Setup.ini"); }
  std::string Recorded(const char* section, const std::string& key) const {
    return Record().ReadString(section, key, "<none>");
  }

  // The events from the header on: the five header writes, in order.
  static Events Header() {
    return {"[General] Setup.exe", "[General] Organisation", "[General] Product", "[General] Version",
            "[General] EVersion"};
  }
  Events Trailer() const {
    return {"registry Software\\Beispiel\\Textwerk\\2.0a Ort=" + dest,
            "uninstall BeispielTextwerk2.0|Beispiel Textwerk 2.0|" + dest + "Setup\\LAUNCHER.EXE",
            "[General] Directory", "finish dialog"};
  }
};

Events Joined(std::initializer_list<Events> parts) {
  Events all;
  for (const Events& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(InstallationRun, WritesTheRecordAndTheTracesInOrder) {
  Installation install({{"a.txt", "a"}, {"sub\\b.txt", "b"}, {"<desktop>\\c.txt", "c"}},
                       {"Textwerk\\Liesmich.lnk,a.txt", "Lies b.lnk,sub\\b.txt"});
  EXPECT_EQ(install.Run(), InstallationRun::Outcome::kFinished);
  const std::string& dest = install.dest;
  const std::string& programs = install.programs;
  EXPECT_EQ(install.host.events,
            Joined({Installation::Header(),
                    {"[InstalledFiles] 1", "[InstalledFiles] 2", "[InstalledFiles] 3", "panel",
                     "shortcut " + programs + "\\Textwerk\\Liesmich.lnk", "[CreatedLinks] 1",
                     "shortcut " + programs + "\\Lies b.lnk", "[CreatedLinks] 2"},
                    install.Trailer()}));

  const struct {
    const char* section;
    const char* key;
    std::string value;
  } kRecord[] = {
      {"General", "Setup.exe", install.medium.Path() + "Setup.exe"},
      {"General", "Organisation", "Beispiel"},
      {"General", "Product", "Textwerk"},
      {"General", "Version", "2.0"},
      {"General", "EVersion", "2.0a"},
      {"InstalledFiles", "1", dest + "a.txt"},
      {"InstalledFiles", "2", dest + "sub\\b.txt"},
      {"InstalledFiles", "3", install.user.Path() + "Desktop\\c.txt"},
      {"CreatedLinks", "1", programs + "\\Textwerk\\Liesmich.lnk"},
      {"CreatedLinks", "2", programs + "\\Lies b.lnk"},
      {"General", "Directory", dest},
  };
  for (const auto& r : kRecord) EXPECT_EQ(install.Recorded(r.section, r.key), r.value) << r.key;

  ASSERT_EQ(install.shortcuts.saved.size(), 2u);
  EXPECT_EQ(install.shortcuts.saved[0].target, dest + "a.txt");
  EXPECT_EQ(install.shortcuts.saved[0].working_directory, dest.substr(0, dest.size() - 1));
  EXPECT_EQ(install.shortcuts.saved[1].working_directory, dest + "sub");
  EXPECT_EQ(install.state.GetRunState(), RunState::kFinished);
}

// A cancel is seen at the next read request and before the next file. One
// during the second of three files stops the run there; one while the last
// file's final block is written leaves that file out, yet everything after
// the files still happens, since no entry is left to stop before.
TEST(InstallationRun, ACancelStopsBeforeTheNextFile) {
  const struct {
    const char* name;
    std::size_t cancelled_in;  // the file whose first decoded block brings the cancel
    InstallationRun::Outcome outcome;
    const char* last_recorded;
    bool finished;
  } kCases[] = {
      {"during the second of three files", 2, InstallationRun::Outcome::kCancelled, "1", false},
      {"during the last file's final block", 3, InstallationRun::Outcome::kFinished, "2", true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.txt", "a"}, {"b.bin", RandomBytes(200000, 3)}, {"c.txt", "c"}},
                         {"A.lnk,a.txt"});
    install.host.on_advance = [&] {
      install.host.cancel_confirmed = install.host.shown.size() == c.cancelled_in;
    };
    EXPECT_EQ(install.Run(), c.outcome);
    const Events files = std::string(c.last_recorded) == "1"
                             ? Events{"[InstalledFiles] 1"}
                             : Events{"[InstalledFiles] 1", "[InstalledFiles] 2"};
    const Events after_files = {"panel", "shortcut " + install.programs + "\\A.lnk", "[CreatedLinks] 1"};
    EXPECT_EQ(install.host.events,
              c.finished ? Joined({Installation::Header(), files, after_files, install.Trailer()})
                         : Joined({Installation::Header(), files}));
    EXPECT_EQ(install.Recorded("InstalledFiles", c.last_recorded) == "<none>", false);
    EXPECT_EQ(install.Recorded("InstalledFiles", std::to_string(std::stoi(c.last_recorded) + 1)), "<none>");
    EXPECT_EQ(install.state.GetRunState() == RunState::kFinished, c.finished);
  }
}

// The record is never emptied: keys beyond the new counts stay.
TEST(InstallationRun, InstallsOverARecordWithMoreFiles) {
  Installation install({{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
  install.destination.Write(
      "Setup/Setup.ini",
      "[General]\r\nDirectory=D:\\Alt\\\r\n[InstalledFiles]\r\n1=D:\\Alt\\1\r\n2=D:\\Alt\\2\r\n"
      "3=D:\\Alt\\3\r\n4=D:\\Alt\\4\r\n5=D:\\Alt\\5\r\n");
  EXPECT_EQ(install.Run(), InstallationRun::Outcome::kFinished);
  EXPECT_EQ(install.Recorded("InstalledFiles", "3"), install.dest + "c.txt");
  EXPECT_EQ(install.Recorded("InstalledFiles", "4"), "D:\\Alt\\4");
  EXPECT_EQ(install.Recorded("InstalledFiles", "5"), "D:\\Alt\\5");
  EXPECT_EQ(install.Recorded("General", "Directory"), install.dest);
}

// An empty table installs nothing and leaves a complete record; without
// setup data the run ends after the header, whatever the table holds.
TEST(InstallationRun, EmptyTablesAndMissingSetupData) {
  const struct {
    const char* name;
    std::vector<MediumFile> files;
    bool setup_data;
    InstallationRun::Outcome outcome;
  } kCases[] = {
      {"empty tables", {}, true, InstallationRun::Outcome::kFinished},
      {"no setup data", {{"a.txt", "a"}}, false, InstallationRun::Outcome::kNoSetupData},
      {"empty tables, no setup data", {}, false, InstallationRun::Outcome::kNoSetupData},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install(c.files);
    if (!c.setup_data) fs::remove(install.medium.Native() / "Setup.stp");
    EXPECT_EQ(install.Run(), c.outcome);
    EXPECT_EQ(install.host.events, c.setup_data
                                       ? Joined({Installation::Header(), {"panel"}, install.Trailer()})
                                       : Joined({Installation::Header(), {"no setup data"}}));
    EXPECT_TRUE(install.host.shown.empty());
  }
}

// An error leaves the run, and the record keeps what was written up to
// then. The header is the first write, so a destination that cannot take
// the record stops the run before any file.
TEST(InstallationRun, AnErrorLeavesTheRecordAsWritten) {
  const struct {
    const char* name;
    const char* blocked;    // a file of this name in the destination
    std::size_t data_size;  // 0: as packed; else Setup.stp is cut to this size
    bool desktop_known;
    std::string message;  // the start of the error's text
    std::size_t files_shown;
  } kCases[] = {
      {"the record cannot be written", "Setup", 0, true, "Kann nicht nach ", 0},
      {"the setup data ends in the second file", nullptr, 20000, true, "Der Setup-Datensatz ", 2},
      {"a desktop target without a desktop folder", nullptr, 0, false, "Der Desktop-Ordner ", 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.txt", "a"}, {"b.bin", RandomBytes(40000, 4)}, {"<desktop>\\c.txt", "c"}});
    if (c.blocked) install.destination.Write(c.blocked, "a file");
    if (c.data_size) fs::resize_file(install.medium.Native() / "Setup.stp", c.data_size);
    if (!c.desktop_known) install.folders.desktop.clear();
    try {
      install.Run();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.message.size()), c.message) << e.what();
    }
    EXPECT_EQ(install.host.shown.size(), c.files_shown);
    EXPECT_FALSE(fs::exists(install.destination.Native() / "b.bin"));
    EXPECT_EQ(install.Recorded("General", "Directory"), "<none>");
    EXPECT_EQ(install.Recorded("InstalledFiles", "1"), c.files_shown > 1 ? install.dest + "a.txt" : "<none>");
    EXPECT_NE(install.host.events.back(), "finish dialog");
  }
}

// Registry failures are shown by the adapter, shortcuts that cannot be made
// are simply missing: either way the record lists the shortcuts and the run
// finishes. Without a Programs folder there is nowhere to put a shortcut,
// and nothing is made or listed.
TEST(InstallationRun, GoesOnWhateverTheSystemRefuses) {
  const struct {
    const char* name;
    bool registry_fails;
    bool shortcuts_fail;
    bool programs_known;
    bool listed;
  } kCases[] = {
      {"registry writes refused", true, false, true, true},
      {"shortcuts not made", false, true, true, true},
      {"no Programs folder", false, false, false, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    Installation install({{"a.txt", "a"}}, {"Gruppe\\A.lnk,a.txt"});
    install.registry.fails = c.registry_fails;
    install.shortcuts.fails = c.shortcuts_fail;
    if (!c.programs_known) install.folders.programs.clear();
    EXPECT_EQ(install.Run(), InstallationRun::Outcome::kFinished);
    EXPECT_EQ(install.Recorded("CreatedLinks", "1"),
              c.listed ? install.programs + "\\Gruppe\\A.lnk" : std::string("<none>"));
    EXPECT_EQ(install.Recorded("General", "Directory"), install.dest);
    EXPECT_EQ(install.host.events.back(), "finish dialog");
    EXPECT_EQ(std::count_if(install.host.events.begin(), install.host.events.end(),
                            [](const std::string& e) { return e.starts_with("shortcut"); }),
              c.programs_known ? 1 : 0);
  }
}

TEST(WorkingDirectory, IsTheTargetsFolderAndADriveRootKeepsItsBackslash) {
  const struct {
    const char* target;
    const char* directory;
  } kCases[] = {
      {"C:\\Programme\\Textwerk\\textwerk.exe", "C:\\Programme\\Textwerk"},
      {"C:\\textwerk.exe", "C:\\"},
      {"C:textwerk.exe", "C:"},
      {"\\\\server\\share\\t.exe", "\\\\server\\share"},
      {"textwerk.exe", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(WorkingDirectory(c.target), c.directory) << c.target;
}

}  // namespace
}  // namespace stp
