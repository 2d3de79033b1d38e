// The maintenance page of an installed product: its layout and buttons,
// the reinstallation, and the removal by "Alle Entfernen" and by the removal
// switch, each after a real installation, read back through the system.
#include "maintenance.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using driver::SetupProcess;
using scenario::Inf;
using scenario::InstalledProduct;

// The product key as an installation leaves it, for the scenarios that need
// no installed files.
void MarkInstalled(const std::string& organisation, const std::string& key, const std::string& ort) {
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + organisation).c_str());
  driver::SetRegistryString(HKEY_LOCAL_MACHINE, key, "Ort", ort);
}

TEST(Maintenance, ShowsThePageWithItsThreeChoices) {
  MarkInstalled("Pflege", "Software\\Pflege\\Werk\\1.5", "C:\\Programme\\Pflege Werk\\");
  SetupProcess setup("maintenance-page", Inf("Pflege", "Werk", "1.5"));
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung", "Wartungsprogramm");
  ASSERT_TRUE(page);
  scenario::ExpectPage(
      page,
      {{"", {144, 16, 312, 73}},
       {"Willkommen beim Wartungsprogramm für die Installation von Pflege Werk 1.5.", {8, 8, 296, 28}},
       {"Mit diesem Programm können Sie Änderungen an einer bestehenden Installation vornehmen.",
        {8, 40, 296, 26}},
       {"Neuinstallation", {144, 104, 129, 25}},
       {"Wiederholt die letzte Installation.", {281, 110, 175, 13}},
       {"Hinzufügen/Entfernen", {144, 144, 129, 25}},
       {"Fügt neue Komponenten hinzu oder entfernt diese.", {281, 144, 175, 26}},
       {"Alle Entfernen", {144, 184, 129, 25}},
       {"Entfernt Pflege Werk 1.5 von Ihrem System.", {281, 184, 175, 26}},
       // The gauge, inside its panel, which stays hidden until a removal.
       {"0%", {1, 1, 310, 21}}},
      "");
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "< &Zurück").handle));
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "&Weiter >").handle));
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "Hinzufügen/Entfernen").handle));
  EXPECT_EQ(driver::FocusOf(page), driver::ControlByText(page, "Abbrechen").handle);

  // The disabled button does nothing; "Abbrechen" asks, and "Abbrechen" there ends the program.
  driver::ClickButton(page, "Hinzufügen/Entfernen");
  driver::ClickButton(page, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  EXPECT_TRUE(IsWindowVisible(page));
  driver::ClickButton(confirmation, "Abbrechen");
  EXPECT_EQ(setup.WaitForExit(), 1602u);
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Pflege");
}

// A recorded directory that is no full path would put every file wherever
// Setup was started: the reinstallation refuses it and the page stays.
TEST(Maintenance, RefusesToReinstallIntoARelativeDirectory) {
  MarkInstalled("Relativ", "Software\\Relativ\\Pfad\\1.0", "Programme\\Relativ\\");
  SetupProcess setup("maintenance-relative", Inf("Relativ", "Pfad", "1.0"));
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung");
  ASSERT_TRUE(page);
  driver::ClickButton(page, "Neuinstallation");
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Fehler");
  EXPECT_EQ(box->text,
            "Das Installationsverzeichnis \"Programme\\Relativ\\\" ist kein vollständiger Pfad. Die "
            "Installation kann nicht wiederholt werden.");
  driver::ClickButton(box->handle, "OK");
  EXPECT_TRUE(driver::WaitUntilHidden(box->handle));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInstallation"));
  EXPECT_TRUE(IsWindowVisible(page));
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Relativ");
}

// The removal switch removes at once, without a question; the page shows
// every entry counted, and the report still comes.
TEST(Maintenance, RemovesAtOnceWithTheRemovalSwitch) {
  for (const std::string argument : {"/u", "-U"}) {
    SCOPED_TRACE(argument);
    const std::string kind = argument[0] == '/' ? "slash" : "dash";
    InstalledProduct product("switch-" + kind, {"Schalter", "Weg " + kind, "1.0"});
    ASSERT_NO_FATAL_FAILURE(product.Install());
    SetupProcess setup(product.MediumDirectory());
    ASSERT_TRUE(setup.Start(argument));
    const auto report = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(report);
    scenario::ExpectRemovalReport(*report);
    HWND page = driver::FindWindowOf(setup.Id(), "TWartung");
    ASSERT_TRUE(page);
    HWND gauge = scenario::ControlOfClass(page, "TGauge");
    EXPECT_TRUE(IsWindowVisible(gauge));
    EXPECT_EQ(driver::TextOf(gauge), "100%");
    driver::ClickButton(report->handle, "OK");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    product.ExpectRemoved();
  }
}

// "&Nein" leaves everything as it was. After "&Ja", a read-only installed
// file goes all the same, while a file the user added keeps its folder and
// the destination above it, and the removal still reports.
TEST(Maintenance, AsksFirstAndKeepsWhatTheUserAdded) {
  InstalledProduct product("ask", {"Frage", "Werk", "2.0"});
  ASSERT_NO_FATAL_FAILURE(product.Install());
  const std::optional<std::string> record_text = driver::FileContent(product.Record());
  SetupProcess setup(product.MediumDirectory());
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung");
  ASSERT_TRUE(page);
  HWND gauge = scenario::ControlOfClass(page, "TGauge");
  driver::ClickButton(page, "Alle Entfernen");
  auto question = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(question);
  scenario::ExpectRemovalQuestion(*question, product.Name().Title());
  driver::ClickButton(question->handle, "&Nein");
  EXPECT_TRUE(driver::WaitUntilHidden(question->handle));
  EXPECT_TRUE(IsWindowVisible(page));
  EXPECT_FALSE(IsWindowVisible(gauge));
  product.ExpectInstalled();
  EXPECT_EQ(driver::FileContent(product.Record()), record_text);

  const std::string read_only = product.Destination() + "Hilfe\\Handbuch.txt";
  ASSERT_TRUE(SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string own = product.Destination() + "Hilfe\\Notizen.txt";
  std::ofstream(own) << "meine Notizen";
  driver::ClickButton(page, "Alle Entfernen");
  question = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(question);
  driver::ClickButton(question->handle, "&Ja");
  EXPECT_TRUE(driver::WaitUntilHidden(question->handle));
  const auto report = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(report);
  scenario::ExpectRemovalReport(*report);
  EXPECT_EQ(driver::TextOf(gauge), "100%");
  driver::ClickButton(report->handle, "OK");
  EXPECT_EQ(setup.WaitForExit(), 0u);

  EXPECT_EQ(driver::FileContent(own), "meine Notizen");
  for (const std::string& file : product.Files()) EXPECT_FALSE(scenario::Exists(file)) << file;
  EXPECT_FALSE(scenario::Exists(product.Destination() + "Setup"));
  EXPECT_FALSE(scenario::KeyExists(product.Name().Key()));
  EXPECT_FALSE(product.IsListed());
}

// The destination page's field, hidden, as "Neuinstallation" left it.
std::string DestinationField(DWORD process) {
  for (HWND window = FindWindowExA(nullptr, nullptr, "TVerzeichnis", nullptr); window;
       window = FindWindowExA(nullptr, window, "TVerzeichnis", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process) return driver::TextOf(scenario::ControlOfClass(window, "Edit"));
  }
  return "<none>";
}

// "Neuinstallation" runs the installation again into the recorded
// directory, over the maintenance page, which stays: a file the user
// deleted comes back with its stored times.
TEST(Maintenance, ReinstallRestoresADeletedFile) {
  InstalledProduct product("reinstall", {"Wieder", "Holen", "3.0"});
  ASSERT_NO_FATAL_FAILURE(product.Install());
  const std::string deleted = product.Destination() + "Hilfe\\Handbuch.txt";
  ASSERT_TRUE(DeleteFileA(deleted.c_str()));
  SetupProcess setup(product.MediumDirectory());
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung");
  ASSERT_TRUE(page);
  driver::ClickButton(page, "Neuinstallation");
  HWND installation = driver::WaitForWindow(setup.Id(), "TInstallation");
  ASSERT_TRUE(installation);
  EXPECT_TRUE(IsWindowVisible(page));
  EXPECT_EQ(DestinationField(setup.Id()), product.Destination());
  for (const char* button : {"Neuinstallation", "Alle Entfernen"}) {
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, button).handle)) << button;
  }
  HWND finish = scenario::WaitLongForWindow(setup.Id(), "TEnde");
  ASSERT_TRUE(finish);
  EXPECT_TRUE(IsWindowVisible(page));
  for (const char* other : {"TInfo", "TSysInfo", "TVerzeichnis"}) {
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), other)) << other;
  }
  driver::ClickButton(finish, "Beenden");
  EXPECT_EQ(setup.WaitForExit(), 0u);

  const auto times = driver::TimesOf(deleted);
  ASSERT_TRUE(times);
  EXPECT_EQ(times->creation, scenario::StoredTime(1));
  EXPECT_EQ(times->write, scenario::StoredTime(1));
  EXPECT_EQ(driver::FileContent(deleted), product.Sources()[1].content);
  product.ExpectInstalled();
}

}  // namespace
