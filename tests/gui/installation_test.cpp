// A whole installation through the wizard, on media that stptool packs in
// each of its layouts: every file byte for byte with its times, the
// installation record, the product key, the uninstall entry, the shortcuts
// and the finish dialog in both forms.
#include "installation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace {

using driver::SetupProcess;
using scenario::Installed;
using scenario::ProductName;
using stptool::DiskFolders;

// Diskette volumes, with a first volume small enough that the large file
// runs across two volume boundaries.
stptool::PackOptions Volumes(DiskFolders folders) {
  stptool::PackOptions options;
  options.first_volume_size = 200000;
  options.disk_folders = folders;
  return options;
}

// A section of a profile file as "key=value" lines, in the file's order.
std::vector<std::string> Section(const std::string& file, const std::string& section) {
  std::vector<std::string> lines;
  for (const std::string& key : driver::ProfileKeys(file, section)) {
    lines.push_back(key + "=" + driver::ProfileString(file, section, key));
  }
  return lines;
}

struct LayoutCase {
  const char* name;
  ProductName product;
  stptool::PackOptions layout;
  bool restart;           // the finish dialog offers a restart; its "Abbrechen" declines it
  bool programs_value;    // the user's Shell Folders key names the Programs folder; else it is empty
  const char* last_disk;  // Label6 at the end
};

TEST(Installation, InstallsEveryLayoutThroughTheWholeWizard) {
  // The desktop in a folder of the scenario's own: Wine's lies in the home
  // folder of whoever runs the tests.
  const std::string desktop = SetupProcess::MediumDirectory("schreibtisch");
  const scenario::ShellFolderValue desktop_values[] = {
      {scenario::kShellFolders, "Desktop", desktop.substr(0, desktop.size() - 1)},
      {scenario::kUserShellFolders, "Desktop", desktop.substr(0, desktop.size() - 1)}};
  const LayoutCase cases[] = {
      {"single", {"Einzel", "Datei", "1.0"}, {}, true, true, ""},
      {"volumes", {"Neben", "Setup", "2.0"}, Volumes(DiskFolders::kNone), false, true, "Diskette 3"},
      {"disk-below", {"Unter", "Ordner", "3.0"}, Volumes(DiskFolders::kBelow), true, false, "Diskette 3"},
      {"disk-beside", {"Disketten", "Satz", "4.0"}, Volumes(DiskFolders::kBeside), false, true, "Diskette 3"},
  };
  for (const LayoutCase& row : cases) {
    SCOPED_TRACE(row.name);
    const ProductName& name = row.product;
    const scenario::FreshProduct fresh(name);
    const std::string dest = name.Destination();
    const std::vector<Installed> files = {
        {"Liesmich.txt", "Liesmich.txt", scenario::ProseBytes(80)},
        {"Daten\\gross.bin", "Daten\\Tief\\gross.bin", scenario::NoiseBytes(1'700'000, 7)},
        {"leer.txt", "leer.txt", ""},
        {"lesen.txt", "<desktop>\\" + name.product + " lesen.txt", scenario::ProseBytes(3)},
        {"produkt.ini", "<WINDIR>\\" + name.product + ".ini", "[Einstellungen]\r\nSprache=Deutsch\r\n"},
    };
    const std::vector<std::string> paths = {
        dest + "Liesmich.txt", dest + "Daten\\Tief\\gross.bin", dest + "leer.txt",
        desktop + name.product + " lesen.txt",
        scenario::ShellFolder(CSIDL_WINDOWS) + "\\" + name.product + ".ini"};
    const std::vector<std::pair<std::string, std::string>> links = {
        {name.organisation + " " + name.product + "\\Liesmich.lnk", "Liesmich.txt"},
        {name.product + ".lnk", "Daten\\Tief\\gross.bin"},
    };
    const driver::Medium medium(row.name, scenario::Description(name, row.restart, files, links),
                                scenario::SourceFiles(files), row.layout);
    const std::string programs = scenario::ShellFolder(CSIDL_PROGRAMS);
    // An empty value would put the shortcuts at the root of the drive; the
    // shell knows the folder.
    std::optional<scenario::ShellFolderValue> programs_value;
    if (!row.programs_value) programs_value.emplace(scenario::kShellFolders, "Programs", "");

    SetupProcess setup(medium.SetupDirectory());
    ASSERT_TRUE(setup.Start());
    HWND page = scenario::StartInstallation(setup);
    ASSERT_TRUE(page);
    HWND finish = scenario::WaitLongForWindow(setup.Id(), "TEnde", "Setup abschließen");
    ASSERT_TRUE(finish);
    // The page stays beneath the finish dialog, its panel over the progress
    // that shows the last file.
    EXPECT_TRUE(IsWindowVisible(page));
    scenario::ExpectInstallationPage(page, true, row.last_disk, paths.back(), "100%");
    // The packed setting chooses the dialog's form.
    EXPECT_EQ(driver::ControlByText(finish, "Neustart").visible, row.restart);
    driver::ClickButton(finish, row.restart ? "Abbrechen" : "Beenden");
    // Setup leaves the restart to the user and says so in its exit code.
    EXPECT_EQ(setup.WaitForExit(), row.restart ? 3010u : 0u);

    for (std::size_t i = 0; i < files.size(); ++i) {
      SCOPED_TRACE(paths[i]);
      const std::uint64_t time = scenario::StoredTime(static_cast<int>(i));
      const auto times = driver::TimesOf(paths[i]);
      ASSERT_TRUE(times);
      EXPECT_EQ(times->creation, time);
      EXPECT_EQ(times->write, time);
      // Wine's shell link object reads the files that shortcuts start, the first two.
      if (i >= 2) {
        EXPECT_EQ(times->access, time);
      }
      EXPECT_EQ(driver::FileContent(paths[i]), files[i].content);
    }

    const std::string record = dest + "Setup\\Setup.ini";
    EXPECT_EQ(Section(record, "General"),
              (std::vector<std::string>{"Setup.exe=" + medium.SetupDirectory() + "Setup.exe",
                                        "Organisation=" + name.organisation, "Product=" + name.product,
                                        "Version=" + name.version, "EVersion=" + name.version,
                                        "Directory=" + dest}));
    std::vector<std::string> recorded;
    for (std::size_t i = 0; i < paths.size(); ++i) recorded.push_back(std::to_string(i + 1) + "=" + paths[i]);
    EXPECT_EQ(Section(record, "InstalledFiles"), recorded);
    recorded.clear();
    for (std::size_t j = 0; j < links.size(); ++j) {
      const std::string link_file = programs + "\\" + links[j].first;
      recorded.push_back(std::to_string(j + 1) + "=" + link_file);
      const std::string target = dest + links[j].second;
      EXPECT_EQ(driver::ReadShortcut(link_file),
                (driver::Shortcut{target, target.substr(0, target.rfind('\\'))}));
    }
    EXPECT_EQ(Section(record, "CreatedLinks"), recorded);

    EXPECT_EQ(driver::RegistryString(HKEY_LOCAL_MACHINE, name.Key(), "Ort"), dest);
    const std::string entry = scenario::kUninstallList + name.EntryName();
    EXPECT_EQ(driver::RegistryString(HKEY_LOCAL_MACHINE, entry, "UninstallString"),
              dest + "Setup\\LAUNCHER.EXE");
    const std::vector<std::string> software = driver::InstalledSoftware();
    EXPECT_NE(std::find(software.begin(), software.end(), name.EntryName() + "|||" + name.Title()),
              software.end());

    std::error_code ignored;
    std::filesystem::remove(paths[3], ignored);
    std::filesystem::remove(paths[4], ignored);
    std::filesystem::remove(programs + "\\" + links[1].first, ignored);
    std::filesystem::remove_all(programs + "\\" + name.organisation + " " + name.product, ignored);
  }
  std::error_code ignored;
  std::filesystem::remove_all(desktop, ignored);
}

// "Abbrechen" on the page pauses the run inside a block; "Fortfahren" lets it
// go on, a confirmed cancel stops it before the next block. The file being
// decoded is neither installed nor recorded, and one already there keeps
// its content; nothing after the files happens.
TEST(Installation, CancelDuringAFileStopsTheRun) {
  const ProductName name{"Abbruch", "Probe", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::string dest = name.Destination();
  const std::vector<Installed> files = scenario::SmallBigSmall(40'000'000, 11);
  const driver::Medium medium("abbruch",
                              scenario::Description(name, false, files, {{"Probe.lnk", "klein.txt"}}),
                              scenario::SourceFiles(files));
  std::filesystem::create_directories(dest);
  std::ofstream(dest + "gross.bin", std::ios::binary) << "alter Inhalt";

  SetupProcess setup(medium.SetupDirectory());
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::StartInstallation(setup);
  ASSERT_TRUE(page);
  ASSERT_TRUE(driver::WaitFor([&] { return scenario::ShownTarget(page) == dest + "gross.bin"; },
                              scenario::kRunTimeoutMs));

  // Found once: while the run decodes, the page answers another process
  // only between blocks, and finding a control asks every control for its
  // text. The rest of the big file could be decoded while that goes on.
  const HWND cancel = driver::ControlByText(page, "Abbrechen").handle;
  const HWND gauge = scenario::ControlOfClass(page, "TGauge");
  ASSERT_TRUE(cancel && gauge);
  int percent = 0;
  for (const char* answer : {"Fortfahren", "Abbrechen"}) {
    SCOPED_TRACE(answer);
    // Once the run has gone on.
    ASSERT_TRUE(driver::WaitFor([&] { return std::atoi(driver::TextOf(gauge).c_str()) > percent; },
                                scenario::kRunTimeoutMs, 1));
    PostMessageA(cancel, BM_CLICK, 0, 0);
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch", "Setup abbrechen");
    ASSERT_TRUE(confirmation);
    percent = scenario::GaugePercent(page);
    EXPECT_GT(percent, 0);
    EXPECT_LT(percent, 100);
    scenario::ExpectInstallationPage(page, false, "", dest + "gross.bin", std::to_string(percent) + "%");
    driver::ClickButton(confirmation, answer);
    ASSERT_TRUE(driver::WaitUntilHidden(confirmation));
  }
  EXPECT_EQ(setup.WaitForExit(), 1602u);
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TEnde"));

  EXPECT_EQ(driver::FileContent(dest + "gross.bin"), "alter Inhalt");
  EXPECT_FALSE(std::filesystem::exists(dest + "danach.txt"));
  EXPECT_FALSE(scenario::HoldsUnfinishedFile(dest));
  const std::string record = dest + "Setup\\Setup.ini";
  EXPECT_EQ(driver::ProfileKeys(record, "General"),
            (std::vector<std::string>{"Setup.exe", "Organisation", "Product", "Version", "EVersion"}));
  EXPECT_EQ(Section(record, "InstalledFiles"), std::vector<std::string>{"1=" + dest + "klein.txt"});
  EXPECT_TRUE(Section(record, "CreatedLinks").empty());
  EXPECT_FALSE(std::filesystem::exists(scenario::ShellFolder(CSIDL_PROGRAMS) + "\\Probe.lnk"));
  EXPECT_FALSE(driver::RegistryString(HKEY_LOCAL_MACHINE, name.Key(), "Ort"));
  EXPECT_FALSE(
      driver::RegistryString(HKEY_LOCAL_MACHINE, scenario::kUninstallList + name.EntryName(), "DisplayName"));
}

// A volume missing from every place makes the run ask for its diskette.
// OK looks in every place again, so a volume put into its Disk folder while
// the prompt is open is found, and the run goes on to its end.
TEST(Installation, DisketteThatComesAfterThePromptIsFound) {
  const ProductName name{"Wechsel", "Probe", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::string dest = name.Destination();
  // The large file runs from volume 1 across volume 2 into volume 3.
  const std::vector<Installed> files = scenario::SmallBigSmall(1'700'000, 5);
  const driver::Medium medium("wechsel", scenario::Description(name, false, files, {}),
                              scenario::SourceFiles(files), Volumes(DiskFolders::kBelow));
  const std::string volume = medium.Root() + "Disk2\\Setup2.stp";
  const std::string aside = medium.Root() + "Setup2.beiseite";
  std::filesystem::rename(volume, aside);

  SetupProcess setup(medium.SetupDirectory());
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::StartInstallation(setup);
  ASSERT_TRUE(page);
  const std::string request =
      "Legen Sie die Installationsdiskette 2 in das Laufwerk " + medium.SetupDirectory() + " ein.";
  HWND prompt = scenario::WaitLongForWindow(setup.Id(), "TFehler", "Diskette wechseln");
  ASSERT_TRUE(prompt);
  for (bool volume_there : {false, true}) {
    SCOPED_TRACE(volume_there ? "volume put in" : "no volume");
    ASSERT_TRUE(driver::WaitFor([&] { return IsWindowVisible(prompt) && IsWindowEnabled(prompt); }));
    scenario::ExpectInstallationPage(page, false, "Diskette 1", dest + "gross.bin", layout::kAnyText);
    // The prompt hides and comes again too fast to be seen in between; it
    // sets its text anew each time it comes.
    HWND message = driver::ControlByText(prompt, request).handle;
    ASSERT_TRUE(message);
    SendMessageA(message, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("gelesen"));
    if (volume_there) std::filesystem::rename(aside, volume);
    driver::ClickButton(prompt, "OK");
    if (volume_there) {
      ASSERT_TRUE(driver::WaitUntilHidden(prompt));
    } else {
      ASSERT_TRUE(driver::WaitFor([&] { return driver::TextOf(message) == request; }));
    }
  }
  HWND finish = scenario::WaitLongForWindow(setup.Id(), "TEnde");
  ASSERT_TRUE(finish);
  scenario::ExpectInstallationPage(page, true, "Diskette 3", dest + "danach.txt", "100%");
  driver::ClickButton(finish, "Beenden");
  EXPECT_EQ(setup.WaitForExit(), 0u);
  for (const Installed& file : files) EXPECT_EQ(driver::FileContent(dest + file.target), file.content);
  EXPECT_EQ(driver::ProfileString(dest + "Setup\\Setup.ini", "General", "Directory"), dest);
}

}  // namespace
