// The ways an installation ends otherwise than it should: no setup data, a
// target that refuses to be replaced, an error that stops the run.
#include <gtest/gtest.h>

#include <fstream>

#include "installation.h"

namespace {

using driver::SetupProcess;
using scenario::Installed;
using scenario::ProductName;

const std::vector<std::string> kHeader = {"Setup.exe", "Organisation", "Product", "Version", "EVersion"};

std::vector<Installed> ThreeFiles() { return scenario::SmallBigSmall(300'000, 3); }

// A file with this content and time, marked read-only when asked.
void PlaceFile(const std::string& path, const std::string& content, std::uint64_t time, bool read_only) {
  std::ofstream(path, std::ios::binary) << content;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
  SetFileTime(file, &stamp, &stamp, &stamp);
  CloseHandle(file);
  if (read_only) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
}

// Without setup data the run says so and the program ends; the record holds
// its header only.
TEST(InstallationFailure, NoSetupDataEndsTheProgram) {
  const ProductName name{"Leer", "Probe", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::vector<Installed> files = ThreeFiles();
  const driver::Medium medium("leer", scenario::Description(name, false, files, {}),
                              scenario::SourceFiles(files));
  std::filesystem::remove(medium.SetupDirectory() + "Setup.stp");

  SetupProcess setup(medium.SetupDirectory());
  ASSERT_TRUE(setup.Start());
  ASSERT_TRUE(scenario::StartInstallation(setup));
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Fehler");
  EXPECT_EQ(box->text, "Der Setup-Datensatz kann nicht gefunden werden, die Installation wird abgebrochen.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  driver::ClickButton(box->handle, "OK");
  EXPECT_EQ(setup.WaitForExit(), 1603u);

  const std::string record = name.Destination() + "Setup\\Setup.ini";
  EXPECT_EQ(driver::ProfileKeys(record, "General"), kHeader);
  EXPECT_TRUE(driver::ProfileKeys(record, "InstalledFiles").empty());
  EXPECT_FALSE(driver::RegistryString(HKEY_LOCAL_MACHINE, name.Key(), "Ort"));
}

// A read-only target keeps its content and times: stamping it shows two
// bare error numbers (access denied, then the handle it could not get), it
// is recorded all the same, and the run goes on. A writable one is replaced.
TEST(InstallationFailure, ReadOnlyTargetIsKeptAndReported) {
  const ProductName name{"Schreibschutz", "Probe", "1.0"};
  const scenario::FreshProduct fresh(name);
  const std::string dest = name.Destination();
  const std::vector<Installed> files = ThreeFiles();
  const driver::Medium medium("schreibschutz", scenario::Description(name, false, files, {}),
                              scenario::SourceFiles(files));
  constexpr std::uint64_t kOldTime = 0x01D00000'00000000ull;
  std::filesystem::create_directories(dest);
  PlaceFile(dest + "klein.txt", "alt und beschreibbar", kOldTime, false);
  PlaceFile(dest + "gross.bin", "alt und schreibgeschützt", kOldTime, true);

  SetupProcess setup(medium.SetupDirectory());
  ASSERT_TRUE(setup.Start());
  ASSERT_TRUE(scenario::StartInstallation(setup));
  for (const char* number : {"5", "6"}) {
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Fehler");
    EXPECT_EQ(box->text, number);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    driver::ClickButton(box->handle, "OK");
    ASSERT_TRUE(driver::WaitUntilHidden(box->handle));
  }
  HWND finish = scenario::WaitLongForWindow(setup.Id(), "TEnde");
  ASSERT_TRUE(finish);
  driver::ClickButton(finish, "Beenden");
  EXPECT_EQ(setup.WaitForExit(), 1603u);

  EXPECT_EQ(driver::TimesOf(dest + "gross.bin"), (driver::FileTimes{kOldTime, kOldTime, kOldTime}));
  EXPECT_EQ(driver::FileContent(dest + "gross.bin"), "alt und schreibgeschützt");
  EXPECT_EQ(driver::FileContent(dest + "klein.txt"), files[0].content);
  EXPECT_EQ(driver::FileContent(dest + "danach.txt"), files[2].content);
  EXPECT_FALSE(scenario::HoldsUnfinishedFile(dest));
  const std::string record = dest + "Setup\\Setup.ini";
  EXPECT_EQ(driver::ProfileKeys(record, "InstalledFiles"), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(driver::ProfileString(record, "InstalledFiles", "2"), dest + "gross.bin");
  EXPECT_EQ(driver::ProfileString(record, "General", "Directory"), dest);
  SetFileAttributesA((dest + "gross.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
}

struct StopCase {
  const char* name;
  ProductName product;
  // Spoils the medium or the destination before the run.
  std::function<void(const driver::Medium&, const std::string& dest)> spoil;
  // Without the period the error display adds; empty for the message of
  // setup data that ends early.
  std::function<std::string(const driver::Medium&)> message;
  std::vector<std::string> installed_keys;
};

// An error that stops the run (an unwritable record, setup data that end
// early or are damaged) reaches the standard error display; the page
// then stays with only "Abbrechen" working, and the record holds what was
// written up to then.
TEST(InstallationFailure, AnErrorStopsTheRunAndLeavesOnlyCancel) {
  const StopCase cases[] = {
      {"record-unwritable",
       {"Gesperrt", "Probe", "1.0"},
       [](const driver::Medium&, const std::string& dest) {
         std::filesystem::create_directories(dest);
         std::ofstream(dest + "Setup") << "kein Ordner";
       },
       [](const driver::Medium&) {
         return std::string("Kann nicht nach C:\\Programme\\Gesperrt Probe\\Setup\\Setup.ini schreiben");
       },
       {}},
      {"setup-data-cut-short",
       {"Gekuerzt", "Probe", "1.0"},
       [](const driver::Medium& medium, const std::string&) {
         const auto& second = medium.Packed().files[1];
         std::filesystem::resize_file(medium.SetupDirectory() + "Setup.stp",
                                      second.offset + second.compressed_size / 2);
       },
       [](const driver::Medium& medium) {
         return "Der Setup-Datensatz " + medium.SetupDirectory() + "Setup.stp ist unvollständig";
       },
       {"1"}},
      // A damaged download: the file is not put in place.
      {"setup-data-damaged",
       {"Beschaedigt", "Probe", "1.0"},
       [](const driver::Medium& medium, const std::string&) { scenario::DamageSecondFile(medium); },
       [](const driver::Medium& medium) {
         return "Die Daten der Datei C:\\Programme\\Beschaedigt Probe\\gross.bin in " +
                medium.SetupDirectory() + "Setup.stp sind beschädigt, die Installation wird abgebrochen";
       },
       {"1"}},
  };
  for (const StopCase& row : cases) {
    SCOPED_TRACE(row.name);
    const scenario::FreshProduct fresh(row.product);
    const std::string dest = row.product.Destination();
    const std::vector<Installed> files = ThreeFiles();
    const driver::Medium medium(row.name, scenario::Description(row.product, false, files, {}),
                                scenario::SourceFiles(files));
    row.spoil(medium, dest);
    const std::string message = row.message(medium);

    SetupProcess setup(medium.SetupDirectory());
    ASSERT_TRUE(setup.Start());
    HWND page = scenario::StartInstallation(setup);
    ASSERT_TRUE(page);
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, row.product.Title() + "-Setup");
    EXPECT_EQ(box->text, message + ".");
    driver::ClickButton(box->handle, "OK");
    ASSERT_TRUE(driver::WaitUntilHidden(box->handle));

    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_TRUE(driver::WaitFor([&] { return IsWindowEnabled(page); }));
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "< &Zurück").handle));
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "&Weiter >").handle));
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TEnde"));
    EXPECT_FALSE(std::filesystem::exists(dest + "gross.bin"));
    EXPECT_FALSE(scenario::HoldsUnfinishedFile(dest));
    EXPECT_EQ(driver::ProfileKeys(dest + "Setup\\Setup.ini", "InstalledFiles"), row.installed_keys);

    driver::ClickButton(page, "Abbrechen");
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
    ASSERT_TRUE(confirmation);
    driver::ClickButton(confirmation, "Abbrechen");
    EXPECT_EQ(setup.WaitForExit(), 1603u);
    EXPECT_FALSE(driver::RegistryString(HKEY_LOCAL_MACHINE, row.product.Key(), "Ort"));
  }
}

}  // namespace
