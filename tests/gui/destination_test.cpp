// The destination directory page and the folder browser: the proposal, the
// checks on Next, the creation of a new destination, the browser's lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "driver/driver.h"
#include "driver/setup_process.h"
#include "scenario.h"

namespace {

namespace fs = std::filesystem;
using driver::SetupProcess;
using scenario::Inf;

constexpr int kRowHeight = 16;

// A folder of its own below the temporary directory, gone afterwards.
class Folder {
 public:
  explicit Folder(const std::string& name) : path_(fs::temp_directory_path() / ("stp-dest-" + name)) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  // Without a trailing "\".
  std::string Path() const { return path_.string(); }
  std::string Below(const std::string& relative) const { return (path_ / relative).string(); }

 private:
  fs::path path_;
};

std::string Destination(const std::string& path) { return "DefDirectory=" + path + "\r\n"; }

HWND EntryOf(HWND window) { return scenario::ControlOfClass(window, "Edit").handle; }

void SetEntry(HWND window, const std::string& text) {
  SendMessageA(EntryOf(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string EntryText(HWND window) { return driver::TextOf(EntryOf(window)); }

// An item of a list or combo box of another process. Wine hands such items
// across processes as wide characters even to the ANSI call, so the wide
// call is made and its text converted.
std::string ItemText(HWND control, UINT message, LRESULT index) {
  wchar_t wide[MAX_PATH] = {};
  SendMessageW(control, message, index, reinterpret_cast<LPARAM>(wide));
  char text[2 * MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) rows.push_back(ItemText(list, LB_GETTEXT, index));
  return rows;
}

// Opens a row of the directory list as the user does, by a double-click on it.
void OpenRow(HWND list, int index) {
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  driver::DoubleClick(list, 40, (index - top) * kRowHeight + kRowHeight / 2);
}

// Picks a drive as the user does; the selector tells its window.
void PickDrive(HWND browser, HWND drives, LRESULT index) {
  SendMessageA(drives, CB_SETCURSEL, index, 0);
  PostMessageA(browser, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives));
}

HWND OpenBrowser(const SetupProcess& setup, HWND page) {
  driver::ClickButton(page, "&Ändern...");
  return driver::WaitForWindow(setup.Id(), "TSelectFolder", "Zielverzeichnis wählen");
}

// Next ends the destination in exactly one "\" and goes on at once where the directory exists.
TEST(Destination, ExistingDirectoriesPassWithOneTrailingBackslash) {
  Folder folder("existing");
  const struct {
    const char* name;
    std::string entry;
    std::string accepted;
  } cases[] = {
      {"plain", folder.Path(), folder.Path() + "\\"},
      {"with-backslash", folder.Path() + "\\", folder.Path() + "\\"},
      {"drive", "C:", "C:\\"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("existing-") + row.name, Inf("Ziel", "Probe", "1.0"),
                       driver::kPictureColour);
    ASSERT_TRUE(setup.Start());
    HWND page = scenario::WalkTo(setup, "TVerzeichnis");
    ASSERT_TRUE(page);
    SetEntry(page, row.entry);
    driver::ClickButton(page, "&Weiter >");
    EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TInstallation"));
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TMessageForm"));
    EXPECT_EQ(EntryText(page), row.accepted);
  }
}

TEST(Destination, NewNestedPathIsCreatedAfterOneQuestion) {
  Folder folder("nested");
  const std::string target = folder.Below("neu\\eins\\zwei");
  SetupProcess setup("nested", Inf("Ziel", "Neu", "1.0", Destination(target)), driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::WalkTo(setup, "TVerzeichnis");
  ASSERT_TRUE(page);

  driver::ClickButton(page, "&Weiter >");
  auto question = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(question->caption, "Bestätigen");
  EXPECT_EQ(question->text, "Das Verzeichnis " + target + "\\ exisitiert nicht. Soll es angelegt werden?");
  EXPECT_EQ(question->buttons, (std::vector<std::string>{"&Ja", "&Nein"}));
  // "&Nein" keeps the page, with the entry as extended, and creates nothing.
  driver::ClickButton(question->handle, "&Nein");
  ASSERT_TRUE(driver::WaitUntilHidden(question->handle));
  EXPECT_TRUE(IsWindowVisible(page));
  EXPECT_EQ(EntryText(page), target + "\\");
  EXPECT_FALSE(fs::exists(folder.Below("neu")));

  driver::ClickButton(page, "&Weiter >");
  question = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(question);
  driver::ClickButton(question->handle, "&Ja");
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TInstallation"));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TMessageForm"));
  EXPECT_TRUE(fs::is_directory(target));
}

// An empty or relative destination would install wherever Setup was started.
TEST(Destination, RefusesEntriesWithoutDriveAndFullPath) {
  SetupProcess setup("refused", Inf("Ziel", "Leer", "1.0"), driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::WalkTo(setup, "TVerzeichnis");
  ASSERT_TRUE(page);
  for (const char* entry : {"", "   ", "Programme\\X", "C:Programme", "\\Programme"}) {
    SCOPED_TRACE(entry);
    SetEntry(page, entry);
    driver::ClickButton(page, "&Weiter >");
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Fehler");
    EXPECT_EQ(box->text,
              "Bitte geben Sie das Zielverzeichnis mit Laufwerk und vollständigem Pfad ein, zum Beispiel "
              "C:\\Programme\\Produkt.");
    driver::ClickButton(box->handle, "OK");
    ASSERT_TRUE(driver::WaitUntilHidden(box->handle));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(EntryText(page), entry);
  }
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInstallation"));
}

TEST(Destination, BrowserListsDrivesAndDirectoriesAndHandsOverOnlyOnOk) {
  Folder folder("browse");
  fs::create_directories(folder.Below("zwei"));
  fs::create_directories(folder.Below("Eins"));
  SetupProcess setup("browse", Inf("Ziel", "Suche", "1.0", Destination(folder.Path())),
                     driver::kPictureColour);
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::WalkTo(setup, "TVerzeichnis");
  ASSERT_TRUE(page);

  HWND browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  EXPECT_FALSE(IsWindowEnabled(page));
  HWND list = scenario::ControlOfClass(browser, "ListBox").handle;
  EXPECT_EQ(EntryText(browser), folder.Path());
  // The ancestors from the root down, then the subdirectories in order.
  const std::vector<std::string> rows = ListRows(list);
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows.front(), "C:\\");
  EXPECT_EQ(
      std::vector<std::string>(rows.end() - 3, rows.end()),
      (std::vector<std::string>{folder.Path().substr(folder.Path().find_last_of('\\') + 1), "Eins", "zwei"}));

  // Opening a subdirectory moves the path along; OK hands it over.
  OpenRow(list, static_cast<int>(rows.size()) - 1);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == folder.Below("zwei"); }));
  EXPECT_EQ(ListRows(list).back(), "zwei");
  driver::ClickButton(browser, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_TRUE(IsWindowEnabled(page));
  EXPECT_EQ(EntryText(page), folder.Below("zwei"));

  // Cancel leaves the destination alone, all but its trailing "\".
  SetEntry(page, folder.Below("zwei") + "\\");
  browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  EXPECT_EQ(EntryText(browser), folder.Below("zwei"));
  SetEntry(browser, "X:\\Getippt");
  driver::ClickButton(browser, "Abbrechen");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_EQ(EntryText(page), folder.Below("zwei"));

  // "Netzwerk" leaves the browser as it was.
  browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  driver::ClickButton(browser, "Netzwerk");
  // Every present drive, in capitals, the destination's selected; another
  // drive shows the directory the system keeps for it, and coming back the
  // one shown last.
  HWND drives = scenario::ControlOfClass(browser, "ComboBox").handle;
  std::vector<std::string> names;
  const LRESULT count = SendMessageA(drives, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) names.push_back(ItemText(drives, CB_GETLBTEXT, index));
  int present = 0;
  for (DWORD mask = GetLogicalDrives(); mask; mask &= mask - 1) ++present;
  EXPECT_EQ(static_cast<int>(names.size()), present);
  for (const std::string& name : names) EXPECT_EQ(name, CharUpperA(std::string(name).data()));
  const LRESULT c_drive = SendMessageA(drives, CB_GETCURSEL, 0, 0);
  ASSERT_GE(c_drive, 0);
  EXPECT_EQ(names[c_drive].substr(0, 2), "C:");
  const auto z_drive =
      std::find_if(names.begin(), names.end(), [](const std::string& n) { return n.rfind("Z:", 0) == 0; });
  ASSERT_NE(z_drive, names.end());
  PickDrive(browser, drives, z_drive - names.begin());
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser).rfind("Z:\\", 0) == 0; }));
  list = scenario::ControlOfClass(browser, "ListBox").handle;
  EXPECT_EQ(ListRows(list).front(), "Z:\\");
  PickDrive(browser, drives, c_drive);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == folder.Below("zwei"); }));

  // The drive's root becomes "C:", and Next makes it the root again without a question.
  OpenRow(list, 0);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == "C:\\"; }));
  EXPECT_EQ(ListRows(list).front(), "C:\\");
  driver::ClickButton(browser, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_EQ(EntryText(page), "C:");
  driver::ClickButton(page, "&Weiter >");
  EXPECT_TRUE(driver::WaitForWindow(setup.Id(), "TInstallation"));
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TMessageForm"));
  EXPECT_EQ(EntryText(page), "C:\\");
}

}  // namespace
