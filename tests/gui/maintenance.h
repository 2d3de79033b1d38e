#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installation.h"
#include "maintenance/removal_texts.h"

// Shared pieces of the maintenance and launcher scenarios: a product
// installed by Setup.exe from a medium that stptool packed with the
// launcher, and what its removal must leave.
namespace scenario {

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool KeyExists(const std::string& key_path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// A product installed through the whole wizard with its defaults: files
// below the destination (one in a folder of its own), one on the desktop,
// one in the Windows directory, a shortcut in a folder of the Programs
// folder, and the launcher. The desktop is a folder of the scenario's own,
// made before the installation, as a user's desktop is there already.
class InstalledProduct {
 public:
  InstalledProduct(const std::string& scenario_name, ProductName name, bool restart = false)
      : name_(std::move(name)),
        fresh_(name_),
        desktop_(driver::SetupProcess::MediumDirectory(scenario_name + "-desktop")),
        desktop_values_{{kShellFolders, "Desktop", Folder(desktop_)},
                        {kUserShellFolders, "Desktop", Folder(desktop_)}},
        sources_{
            {"Liesmich.txt", "Liesmich.txt", ProseBytes(40)},
            {"Handbuch.txt", "Hilfe\\Handbuch.txt", ProseBytes(200)},
            {"lesen.txt", "<desktop>\\" + name_.product + " lesen.txt", ProseBytes(2)},
            {"produkt.ini", "<windir>\\" + name_.product + ".ini", "[Einstellungen]\r\nSprache=Deutsch\r\n"}},
        medium_(scenario_name,
                Description(name_, restart, sources_, {{LinkFolder() + "\\Liesmich.lnk", "Liesmich.txt"}}),
                SourceFiles(sources_), WithLauncher()) {
    std::filesystem::remove_all(Folder(desktop_));
    std::filesystem::create_directories(Folder(desktop_));
  }
  ~InstalledProduct() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(desktop_), ignored);
    std::filesystem::remove_all(Programs() + "\\" + LinkFolder(), ignored);
    DeleteFileA(WindowsFile().c_str());
  }

  const ProductName& Name() const { return name_; }
  std::string Destination() const { return name_.Destination(); }
  std::string Record() const { return Destination() + "Setup\\Setup.ini"; }
  std::string Launcher() const { return Destination() + "Setup\\LAUNCHER.EXE"; }
  std::string Desktop() const { return Folder(desktop_); }
  std::string Programs() const { return ShellFolder(CSIDL_PROGRAMS); }
  std::string LinkFolder() const { return name_.organisation + " " + name_.product; }
  std::string WindowsFile() const {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\" + name_.product + ".ini";
  }
  std::string MediumDirectory() const { return medium_.SetupDirectory(); }

  // Every file the installation makes, in the order of the file table, the
  // launcher last, then the shortcut.
  std::vector<std::string> Files() const {
    return {Destination() + "Liesmich.txt",
            Destination() + "Hilfe\\Handbuch.txt",
            desktop_ + name_.product + " lesen.txt",
            WindowsFile(),
            Launcher(),
            Programs() + "\\" + LinkFolder() + "\\Liesmich.lnk"};
  }
  // What the distributor packed, in the order of the file table.
  const std::vector<Installed>& Sources() const { return sources_; }

  // Runs Setup.exe from the medium through the wizard with its defaults
  // and ends it at the finish dialog.
  void Install() const {
    driver::SetupProcess setup(MediumDirectory());
    ASSERT_TRUE(setup.Start());
    ASSERT_TRUE(StartInstallation(setup));
    HWND finish = WaitLongForWindow(setup.Id(), "TEnde");
    ASSERT_TRUE(finish);
    driver::ClickButton(finish, "Beenden");
    ASSERT_EQ(setup.WaitForExit(), 0u);
    ExpectInstalled();
  }

  // Files, record, product key and uninstall entry, as the installation left them.
  void ExpectInstalled() const {
    for (const std::string& file : Files()) EXPECT_TRUE(Exists(file)) << file;
    EXPECT_EQ(driver::ProfileString(Record(), "General", "Directory"), Destination());
    EXPECT_EQ(driver::ProfileKeys(Record(), "InstalledFiles"),
              (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(driver::RegistryString(HKEY_LOCAL_MACHINE, name_.Key(), "Ort"), Destination());
    EXPECT_EQ(
        driver::RegistryString(HKEY_LOCAL_MACHINE, kUninstallList + name_.EntryName(), "UninstallString"),
        Launcher());
    EXPECT_TRUE(IsListed());
  }

  // Nothing of the product is left: no file, shortcut, folder of its own,
  // record, product key or uninstall entry. The folders it does not own
  // stay, and so do the keys above the product key, which may name other
  // products of the maker.
  void ExpectRemoved() const {
    for (const std::string& path : Files()) EXPECT_FALSE(Exists(path)) << path;
    for (const std::string& folder : {Destination() + "Hilfe", Destination() + "Setup", Destination(),
                                      Programs() + "\\" + LinkFolder()}) {
      EXPECT_FALSE(Exists(folder)) << folder;
    }
    for (const std::string& folder : {Desktop(), Programs()}) EXPECT_TRUE(Exists(folder)) << folder;
    EXPECT_FALSE(KeyExists(name_.Key()));
    EXPECT_TRUE(KeyExists("Software\\" + name_.organisation + "\\" + name_.product));
    EXPECT_FALSE(KeyExists(kUninstallList + name_.EntryName()));
    EXPECT_FALSE(IsListed());
  }

  // Whether the system's list of installed software shows the product.
  bool IsListed() const {
    const std::string line = name_.EntryName() + "|||" + name_.Title();
    for (const std::string& listed : driver::InstalledSoftware()) {
      if (listed == line) return true;
    }
    return false;
  }

 private:
  static std::string Folder(const std::string& directory) {
    return directory.substr(0, directory.size() - 1);
  }
  static stptool::PackOptions WithLauncher() {
    stptool::PackOptions options;
    options.launcher = driver::BesideTheTest("LAUNCHER.EXE");
    return options;
  }

  ProductName name_;
  FreshProduct fresh_;
  std::string desktop_;  // ends in "\"
  ShellFolderValue desktop_values_[2];
  std::vector<Installed> sources_;
  driver::Medium medium_;
};

// The question before a removal, as the user sees it.
inline void ExpectRemovalQuestion(const driver::MessageBoxText& box, const std::string& title) {
  EXPECT_EQ(box.caption, "Bestätigen");
  EXPECT_EQ(box.text, stp::RemovalQuestion(title));
  EXPECT_EQ(box.buttons, (std::vector<std::string>{"&Ja", "&Nein"}));
  EXPECT_EQ(box.default_button, "&Ja");
}

inline void ExpectRemovalReport(const driver::MessageBoxText& box) {
  EXPECT_EQ(box.caption, "Information");
  EXPECT_EQ(box.text, stp::kRemovalReport);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
}

inline BOOL CALLBACK CollectVisible(HWND window, LPARAM found) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(found)->insert(window);
  return TRUE;
}

inline std::set<HWND> VisibleTopLevelWindows() {
  std::set<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

struct Ending {
  DWORD exit_code = STILL_ACTIVE;
  bool window_seen = false;
};

// Runs a command line to its end, looking all the while for a visible
// top-level window that was not there before, whichever process shows it.
inline Ending RunWatched(std::string command) {
  const std::set<HWND> before = VisibleTopLevelWindows();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  Ending ending;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return ending;
  }
  CloseHandle(started.hThread);
  const DWORD deadline = GetTickCount() + kRunTimeoutMs;
  while (WaitForSingleObject(started.hProcess, 20) == WAIT_TIMEOUT && GetTickCount() < deadline) {
    for (HWND window : VisibleTopLevelWindows()) {
      if (!before.contains(window)) ending.window_seen = true;
    }
  }
  GetExitCodeProcess(started.hProcess, &ending.exit_code);
  CloseHandle(started.hProcess);
  return ending;
}

inline std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Each expected line appears in the log, in this order.
inline void ExpectLogLines(const std::string& log_path, const std::vector<std::string>& lines) {
  const std::string log = driver::FileContent(log_path).value_or("");
  std::size_t at = 0;
  for (const std::string& line : lines) {
    const std::size_t found = log.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << "\n" << log;
    if (found != std::string::npos) at = found + line.size();
  }
}

}  // namespace scenario
