// The destination directory page and the folder browser: the proposal, the
// checks on Next, the creation of a new destination, the browser's lists.
#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <functional>
#include <vector>

#include "scenario.h"

namespace {

namespace fs = std::filesystem;
using driver::SetupProcess;
using layout::kAnyText;

constexpr int kRowHeight = 16;

void SetEntry(HWND window, const std::string& text) {
  SendMessageA(scenario::ControlOfClass(window, "Edit"), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
}

std::string EntryText(HWND window) { return driver::TextOf(scenario::ControlOfClass(window, "Edit")); }

// The items of a list or combo box of another process. Wine hands such
// items across processes as wide characters even to the ANSI call, so the
// wide call is made and its text converted.
std::vector<std::string> Items(HWND control, UINT count_message, UINT text_message) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(control, count_message, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    wchar_t wide[MAX_PATH] = {};
    SendMessageW(control, text_message, index, reinterpret_cast<LPARAM>(wide));
    char text[2 * MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

std::vector<std::string> ListRows(HWND list) { return Items(list, LB_GETCOUNT, LB_GETTEXT); }

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

// One visit of the page: what it proposes, what Next refuses, the browser,
// and a new destination made after one question.
TEST(Destination, ProposesRefusesBrowsesAndCreates) {
  ASSERT_FALSE(GetLogicalDrives() & (1u << ('Q' - 'A')));
  SetupProcess setup("destination", scenario::Inf("Ziel", "Suche", "1.0"));
  const std::string folder = setup.Directory() + "Ziel";
  fs::create_directories(folder + "\\zwei");
  fs::create_directories(folder + "\\Eins");
  ASSERT_TRUE(setup.Start());
  HWND page = scenario::WalkTo(setup, "TVerzeichnis");
  ASSERT_TRUE(page);
  scenario::ExpectPage(
      page, {{"Installationsverzeichnis", {152, 16, 305, 25}},
             {"Geben Sie hier den Pfad ein, in dem Ziel Suche 1.0 installiert werden soll. Es wird "
              "empfohlen, das vorgegebene Verzeichnis beizubehalten.",
              {152, 48, 305, 41}},
             {kAnyText, {152, 96, 305, 17}},
             {kAnyText, {152, 120, 305, 33}},
             {" Zielverzeichnis ", {152, 221, 304, 57}},
             {"C:\\Programme\\Ziel Suche", {8, 21, 201, 21}},
             {"&Ändern...", {215, 21, 81, 21}}});

  // An empty or relative destination would install wherever Setup was
  // started; one that cannot be made (a drive that is not there, a name
  // Windows refuses) is better said now than at the first file. Enter and
  // Escape both answer the error's "OK", and the page stays as it was.
  const std::string kNoFullPath =
      "Bitte geben Sie das Zielverzeichnis mit Laufwerk und vollständigem Pfad ein, zum Beispiel "
      "C:\\Programme\\Produkt.";
  const auto kNotMade = [](const std::string& path) {
    return "Das Verzeichnis " + path +
           " konnte nicht angelegt werden. Bitte wählen Sie ein anderes "
           "Zielverzeichnis.";
  };
  const struct {
    std::string entry;
    bool asks_first;  // whether to create it
    std::string error;
    WORD key;
  } refusals[] = {
      {"", false, kNoFullPath, VK_RETURN},
      {"Programme\\X", false, kNoFullPath, VK_ESCAPE},
      {"Q:\\Textwerk\\", true, kNotMade("Q:\\Textwerk\\"), VK_RETURN},
      {"C:\\Test<1>|?\\", true, kNotMade("C:\\Test<1>|?\\"), VK_ESCAPE},
  };
  for (const auto& row : refusals) {
    SCOPED_TRACE(row.entry);
    SetEntry(page, row.entry);
    driver::ClickButton(page, "&Weiter >");
    if (row.asks_first) {
      const auto question = driver::WaitForMessageBox(setup.Id());
      ASSERT_TRUE(question);
      driver::ClickButton(question->handle, "&Ja");
      ASSERT_TRUE(driver::WaitUntilHidden(question->handle));
    }
    const auto box = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(box);
    layout::ExpectCentred(box->handle);
    EXPECT_EQ(box->caption, "Fehler");
    EXPECT_EQ(box->text, row.error);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(box->default_button, "OK");
    driver::PressKey(box->handle, row.key);
    ASSERT_TRUE(driver::WaitUntilHidden(box->handle));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(EntryText(page), row.entry);
  }

  // The ancestors from the root down, then the subdirectories in order;
  // opening one moves the path along, and OK hands it over.
  SetEntry(page, folder);
  HWND browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  HWND list = scenario::ControlOfClass(browser, "ListBox");
  layout::ExpectLayout(browser, {318, 260},
                       {{"Wählen Sie das Zielverzeichnis für die Installation.", {8, 8, 0, 0}},
                        {folder, {16, 40, 209, 21}},
                        {"", {16, 64, 209, 161}},
                        {kAnyText, {16, 230, 209, 19}},
                        {"OK", {232, 48, 81, 21}},
                        {"Abbrechen", {232, 72, 81, 21}},
                        {"Netzwerk", {232, 104, 81, 21}}},
                       "");
  EXPECT_TRUE(driver::WaitFor([&] {
    return driver::AreaHasColour(list, {0, 0, 200, 150}, GetSysColor(COLOR_HIGHLIGHT));
  }));
  std::vector<std::string> rows = ListRows(list);
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows.front(), "C:\\");
  EXPECT_EQ(std::vector<std::string>(rows.end() - 3, rows.end()),
            (std::vector<std::string>{"Ziel", "Eins", "zwei"}));
  OpenRow(list, static_cast<int>(rows.size()) - 1);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == folder + "\\zwei"; }));
  EXPECT_EQ(ListRows(list).back(), "zwei");
  driver::ClickButton(browser, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_EQ(EntryText(page), folder + "\\zwei");

  // Cancel leaves the destination alone, all but its trailing "\".
  SetEntry(page, folder + "\\zwei\\");
  browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  EXPECT_EQ(EntryText(browser), folder + "\\zwei");
  SetEntry(browser, "X:\\Getippt");
  driver::ClickButton(browser, "Abbrechen");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_EQ(EntryText(page), folder + "\\zwei");

  // Every present drive, the destination's selected; another drive shows the
  // directory the system keeps for it, and coming back the one shown last.
  // "Netzwerk" leaves the browser as it was.
  browser = OpenBrowser(setup, page);
  ASSERT_TRUE(browser);
  driver::ClickButton(browser, "Netzwerk");
  HWND drives = scenario::ControlOfClass(browser, "ComboBox");
  const std::vector<std::string> names = Items(drives, CB_GETCOUNT, CB_GETLBTEXT);
  EXPECT_EQ(static_cast<int>(names.size()), std::popcount(GetLogicalDrives()));
  const LRESULT c_drive = SendMessageA(drives, CB_GETCURSEL, 0, 0);
  ASSERT_GE(c_drive, 0);
  EXPECT_EQ(names[c_drive].substr(0, 2), "C:");
  const LRESULT last = static_cast<LRESULT>(names.size()) - 1;
  ASSERT_NE(last, c_drive);
  PickDrive(browser, drives, last);
  const std::string root = names[last].substr(0, 2) + "\\";
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser).rfind(root, 0) == 0; }));
  EXPECT_EQ(ListRows(list).front(), root);
  PickDrive(browser, drives, c_drive);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == folder + "\\zwei"; }));

  // The drive's root comes back as "C:", which Next completes again.
  OpenRow(list, 0);
  EXPECT_TRUE(driver::WaitFor([&] { return EntryText(browser) == "C:\\"; }));
  driver::ClickButton(browser, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(browser));
  EXPECT_EQ(EntryText(page), "C:");

  // A new nested destination: Next ends it in exactly one "\" and asks once
  // each time. Escape, the close box and "&Nein" keep the page and create
  // nothing; Enter answers "&Ja".
  const std::string target = setup.Directory() + "neu\\eins\\zwei";
  SetEntry(page, target);
  const std::pair<const char*, std::function<void(HWND)>> answers[] = {
      {"escape", [](HWND box) { driver::PressKey(box, VK_ESCAPE); }},
      {"close-box", [](HWND box) { driver::RequestClose(box); }},
      {"nein", [](HWND box) { driver::ClickButton(box, "&Nein"); }},
      {"enter", [](HWND box) { driver::PressKey(box, VK_RETURN); }},
  };
  for (const auto& [name, answer] : answers) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(IsWindowVisible(page));
    driver::ClickButton(page, "&Weiter >");
    const auto question = driver::WaitForMessageBox(setup.Id());
    ASSERT_TRUE(question);
    layout::ExpectCentred(question->handle);
    EXPECT_EQ(question->caption, "Bestätigen");
    EXPECT_EQ(question->text, "Das Verzeichnis " + target + "\\ exisitiert nicht. Soll es angelegt werden?");
    EXPECT_EQ(question->buttons, (std::vector<std::string>{"&Ja", "&Nein"}));
    EXPECT_EQ(question->default_button, "&Ja");
    EXPECT_EQ(EntryText(page), target + "\\");
    EXPECT_FALSE(fs::exists(setup.Directory() + "neu"));
    answer(question->handle);
    ASSERT_TRUE(driver::WaitUntilHidden(question->handle));
  }
  HWND installation = driver::WaitForWindow(setup.Id(), "TInstallation");
  ASSERT_TRUE(installation);
  scenario::ExpectPicture(installation);
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TMessageForm"));
  EXPECT_TRUE(fs::is_directory(target));
}

}  // namespace
