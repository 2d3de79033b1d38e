// The maintenance page of an installed product: its layout and buttons,
// the reinstallation, and the removal by "Alle Entfernen" and by the removal
// switch, after real installations, read back through the system.
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

// A recorded directory that is no full path would put every file wherever
// Setup was started: the reinstallation refuses it and the page stays.
TEST(Maintenance, ShowsThePageAndRefusesToReinstallIntoARelativeDirectory) {
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Pflege");
  driver::SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Pflege\\Werk\\1.5", "Ort", "Programme\\Pflege\\");
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
  for (const char* button : {"< &Zurück", "&Weiter >", "Hinzufügen/Entfernen"}) {
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, button).handle)) << button;
  }
  EXPECT_EQ(driver::FocusOf(page), driver::ControlByText(page, "Abbrechen").handle);

  driver::ClickButton(page, "Neuinstallation");
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "Fehler");
  EXPECT_EQ(box->text,
            "Das Installationsverzeichnis \"Programme\\Pflege\\\" ist kein vollständiger Pfad. Die "
            "Installation kann nicht wiederholt werden.");
  driver::ClickButton(box->handle, "OK");
  EXPECT_TRUE(driver::WaitUntilHidden(box->handle));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInstallation"));

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

// "&Nein" leaves everything as it was. "Neuinstallation" runs the
// installation again into the recorded directory, over the maintenance page,
// which stays: a file the user deleted comes back with its stored times. The
// removal switch (here as -U; /u runs under /S elsewhere) removes at once
// without a question and still reports; a read-only installed file goes all
// the same, while a file the user added keeps its folder and the
// destination above it.
TEST(Maintenance, AsksReinstallsAndRemovesWhatItInstalled) {
  InstalledProduct product("maintenance", {"Wieder", "Holen", "3.0"});
  ASSERT_NO_FATAL_FAILURE(product.Install());
  const std::optional<std::string> record_text = driver::FileContent(product.Record());
  SetupProcess setup(product.MediumDirectory());
  ASSERT_TRUE(setup.Start());
  HWND page = driver::WaitForWindow(setup.Id(), "TWartung");
  ASSERT_TRUE(page);
  driver::ClickButton(page, "Alle Entfernen");
  const auto question = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(question);
  scenario::ExpectRemovalQuestion(*question, product.Name().Title());
  driver::ClickButton(question->handle, "&Nein");
  EXPECT_TRUE(driver::WaitUntilHidden(question->handle));
  EXPECT_TRUE(IsWindowVisible(page));
  EXPECT_FALSE(IsWindowVisible(scenario::ControlOfClass(page, "TGauge")));
  product.ExpectInstalled();
  EXPECT_EQ(driver::FileContent(product.Record()), record_text);

  const std::string deleted = product.Destination() + "Hilfe\\Handbuch.txt";
  ASSERT_TRUE(DeleteFileA(deleted.c_str()));
  driver::ClickButton(page, "Neuinstallation");
  ASSERT_TRUE(driver::WaitForWindow(setup.Id(), "TInstallation"));
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

  ASSERT_TRUE(SetFileAttributesA(deleted.c_str(), FILE_ATTRIBUTE_READONLY));
  const std::string own = product.Destination() + "Hilfe\\Notizen.txt";
  std::ofstream(own) << "meine Notizen";
  SetupProcess removal(product.MediumDirectory());
  ASSERT_TRUE(removal.Start("-U"));
  const auto report = driver::WaitForMessageBox(removal.Id());
  ASSERT_TRUE(report);
  scenario::ExpectRemovalReport(*report);
  page = driver::FindWindowOf(removal.Id(), "TWartung");
  ASSERT_TRUE(page);
  EXPECT_EQ(driver::TextOf(scenario::ControlOfClass(page, "TGauge")), "100%");
  driver::ClickButton(report->handle, "OK");
  EXPECT_EQ(removal.WaitForExit(), 0u);
  EXPECT_EQ(driver::FileContent(own), "meine Notizen");
  for (const std::string& file : product.Files()) EXPECT_FALSE(scenario::Exists(file)) << file;
  EXPECT_FALSE(scenario::Exists(product.Destination() + "Setup"));
  EXPECT_FALSE(scenario::KeyExists(product.Name().Key()));
  EXPECT_FALSE(product.IsListed());
}

}  // namespace
