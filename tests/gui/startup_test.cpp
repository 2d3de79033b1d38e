// Program start and the ways out of it: the backdrop and the welcome page as
// the configuration makes them, the about box, the cancel confirmation, the
// choice between installation and maintenance, a missing page picture or
// Setup.inf, the page above the backdrop, one setup per product.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <optional>
#include <string>
#include <vector>

#include "scenario.h"

namespace {

using driver::SetupProcess;
using layout::kAnyText;
using scenario::Inf;

// The title's shadow lies 3 pixels to the right and 5 below.
constexpr POINT kShadowOffset{3, 5};
// Full ink: a pixel that the font covers completely.
constexpr int kFullInk = 255;

// How much ink the title's font puts on each pixel of an area when the text
// is drawn at a point of it: 0 to kFullInk, row by row.
std::vector<int> TitleInk(const std::string& title, SIZE area, POINT at) {
  HFONT font = CreateFontA(-35, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman");
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = area.cx;
  format.bmiHeader.biHeight = -area.cy;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous_bitmap = SelectObject(dc, bitmap);
  HGDIOBJ previous_font = SelectObject(dc, font);
  const RECT all{0, 0, area.cx, area.cy};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, at.x, at.y, title.data(), static_cast<int>(title.size()));
  GdiFlush();
  std::vector<int> ink(area.cx * area.cy);
  for (std::size_t i = 0; i < ink.size(); ++i) ink[i] = static_cast<const RGBQUAD*>(bits)[i].rgbGreen;
  SelectObject(dc, previous_font);
  SelectObject(dc, previous_bitmap);
  DeleteObject(bitmap);
  DeleteObject(font);
  DeleteDC(dc);
  return ink;
}

// Whether a pixel and its four neighbours all have this much ink, so that
// the edges, which the font smooths, do not count.
bool InkAround(const std::vector<int>& ink, int width, int x, int y, int amount) {
  return ink[y * width + x] == amount && ink[y * width + x - 1] == amount &&
         ink[y * width + x + 1] == amount && ink[(y - 1) * width + x] == amount &&
         ink[(y + 1) * width + x] == amount;
}

// The title lies above its shadow: where the title's letters are, the screen
// shows the title colour, also where the shadow's letters lie beneath them;
// where only the shadow has letters, it shows the shadow colour.
void ExpectTitleAboveShadow(HWND backdrop, const driver::Rect& title_area, const std::string& title,
                            COLORREF title_colour, COLORREF shadow_colour) {
  const int width = title_area.width;
  const SIZE size{width, title_area.height};
  const std::vector<int> title_ink = TitleInk(title, size, {0, 0});
  const std::vector<int> shadow_ink = TitleInk(title, size, kShadowOffset);
  const driver::Pixels screen = driver::CapturePixels(backdrop, title_area);
  int overlaps = 0, shadow_alone = 0, title_wrong = 0, shadow_wrong = 0;
  for (int y = 1; y + 1 < size.cy; ++y) {
    for (int x = 1; x + 1 < width; ++x) {
      if (InkAround(title_ink, width, x, y, kFullInk)) {
        overlaps += shadow_ink[y * width + x] == kFullInk;
        title_wrong += screen.At(x, y) != title_colour;
      } else if (InkAround(shadow_ink, width, x, y, kFullInk) && InkAround(title_ink, width, x, y, 0)) {
        ++shadow_alone;
        shadow_wrong += screen.At(x, y) != shadow_colour;
      }
    }
  }
  EXPECT_GT(overlaps, 10);
  EXPECT_GT(shadow_alone, 50);
  EXPECT_EQ(title_wrong, 0);
  EXPECT_EQ(shadow_wrong, 0);
}

// The backdrop and the welcome page of a Setup that starts as it should.
struct Started {
  HWND backdrop = nullptr;
  HWND welcome = nullptr;
};

Started StartToWelcome(SetupProcess& setup) {
  if (!setup.Start()) return {};
  HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt");
  return {backdrop, backdrop ? driver::WaitForWindow(setup.Id(), "TInfo") : nullptr};
}

// Clicks the backdrop where no page is, as the user does, and says whether
// the system then made it the active window. Clicks at one place in quick
// succession would make a double-click.
bool ClickBackdrop(HWND backdrop, int x = scenario::kBackdropFreeX) {
  driver::MouseClick(backdrop, x, scenario::kBackdropFreeY);
  return driver::WaitFor([&] { return GetForegroundWindow() == backdrop; });
}

struct StartCase {
  const char* name;
  std::string inf;
  std::string title;
  COLORREF back;
  COLORREF title_colour;
  COLORREF shadow;
  bool close_backdrop;  // rather than the welcome page
};

// Until the run has finished, a close request on the backdrop or the page
// and the page's "Abbrechen" ask for confirmation: "Fortfahren" leaves
// everything as it was, "Abbrechen" ends the program.
TEST(Startup, ShowsTheProductAndAsksBeforeEveryWayOut) {
  const StartCase cases[] = {
      // Parts are joined by single blanks even when empty; "-Setup" follows without one.
      {"defaults", Inf("Farbe", "Probe", ""), "Farbe Probe ", RGB(0, 128, 128), RGB(255, 255, 255),
       RGB(0, 0, 0), false},
      {"configured", Inf("A", "B", "1.0", "BackCl=$FF\r\nFontCl=0x00FF00\r\nShadowCl=16711680\r\n"),
       "A B 1.0", RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), true},
  };
  for (const StartCase& row : cases) {
    SCOPED_TRACE(row.name);
    SetupProcess setup(std::string("start-") + row.name, row.inf);
    ASSERT_TRUE(setup.Start());
    const std::string caption = row.title + "-Setup";
    HWND backdrop = driver::WaitForWindow(setup.Id(), "THaupt", caption);
    ASSERT_TRUE(backdrop);
    EXPECT_TRUE(IsZoomed(backdrop));
    HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo", "Willkommen");
    ASSERT_TRUE(welcome);
    scenario::ExpectPage(
        welcome,
        {{"Willkommen beim " + caption, {152, 16, 305, 30}},
         {"Mit diesem Programm wird " + row.title + " auf Ihrem System installiert.", {152, 48, 305, 41}},
         {kAnyText, {152, 88, 305, 49}},
         {kAnyText, {152, 144, 305, 49}},
         {"", {152, 200, 305, 49}},
         {"", {152, 240, 305, 40}}});
    EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(welcome, "< &Zurück").handle));

    // The title, with its shadow, from the client position (8, 8).
    const auto labels = driver::ControlsOf(backdrop);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, row.title);
    const driver::Rect title = labels[0].bounds;
    EXPECT_EQ(title, (driver::Rect{8, 8, title.width, title.height}));
    EXPECT_TRUE(driver::WaitFor([&] {
      return driver::AreaHasColour(backdrop, {scenario::kBackdropFreeX, scenario::kBackdropFreeY, 1, 1},
                                   row.back);
    }));
    ExpectTitleAboveShadow(backdrop, title, row.title, row.title_colour, row.shadow);

    driver::DoubleClick(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY);
    HWND about = driver::WaitForWindow(setup.Id(), "TExtInfo", "Informationen zu Kiltwell 98");
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsWindowEnabled(welcome));
    layout::ExpectLayout(about, {632, 225},
                         {{"Produktinfos", {16, 8, 0, 0}},
                          {kAnyText, {24, 24, 481, 17}},
                          {"Warenzeichen", {16, 48, 0, 0}},
                          {kAnyText, {24, 64, 593, 33}},
                          {"Kiltwell - Enterprise, Version 4.0", {16, 112, 0, 0}},
                          {kAnyText, {16, 128, 0, 0}},
                          {kAnyText, {16, 144, 0, 0}},
                          {kAnyText, {16, 160, 0, 0}},
                          {kAnyText, {16, 176, 0, 0}},
                          {"OK", {276, 200, 81, 21}},
                          {"", {8, 8, 617, 185}}},
                         "OK");
    driver::ClickButton(about, "OK");
    EXPECT_TRUE(driver::WaitUntilHidden(about));

    driver::RequestClose(row.close_backdrop ? backdrop : welcome);
    HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch", "Setup abbrechen");
    ASSERT_TRUE(confirmation);
    EXPECT_FALSE(IsWindowEnabled(welcome));
    layout::ExpectLayout(confirmation, {340, 133},
                         {{"Wenn Sie Setup jetzt abbrechen, wird " + row.title +
                               " nicht oder unvollsändig auf Ihrem System installiert sein",
                           {8, 8, 316, 41}},
                          {kAnyText, {8, 56, 329, 17}},
                          {kAnyText, {8, 80, 0, 0}},
                          {"Fortfahren", {163, 109, 81, 21}},
                          {"Abbrechen", {251, 109, 81, 21}}},
                         "Fortfahren");
    driver::ClickButton(confirmation, "Fortfahren");
    EXPECT_TRUE(driver::WaitUntilHidden(confirmation));
    EXPECT_TRUE(driver::WaitFor([&] { return IsWindowEnabled(welcome); }));
    EXPECT_TRUE(IsWindowVisible(welcome));
    EXPECT_TRUE(IsWindowVisible(backdrop));

    driver::ClickButton(welcome, "Abbrechen");
    confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
    ASSERT_TRUE(confirmation);
    driver::ClickButton(confirmation, "Abbrechen");
    EXPECT_EQ(setup.WaitForExit(), 1602u);
  }
}

// The product key decides; the removal switch matters only for an installed
// product (the maintenance scenarios remove one with it).
TEST(Startup, ShowsTheMaintenancePageOnlyForAnInstalledProduct) {
  const struct {
    const char* argument;
    bool installed;
  } cases[] = {{"/u", false}, {"/LOG=C:\\windows\\temp\\wahl.log", true}};
  for (const auto& row : cases) {
    SCOPED_TRACE(std::string(row.argument) + (row.installed ? " installed" : ""));
    // The product key as an earlier installation leaves it.
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Wahl");
    if (row.installed) {
      driver::SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Wahl\\Probe\\3.1", "Ort",
                                "C:\\Programme\\Probe\\");
    }
    SetupProcess setup("choice", Inf("Wahl", "Probe", "3.1"));
    ASSERT_TRUE(setup.Start(row.argument));
    HWND page = driver::WaitForWindow(setup.Id(), row.installed ? "TWartung" : "TInfo");
    ASSERT_TRUE(page);
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), row.installed ? "TInfo" : "TWartung"));
    if (!row.installed) continue;
    scenario::ExpectPicture(page);

    // A close request just hides the maintenance page, and activating the
    // backdrop again brings no page back.
    driver::RequestClose(page);
    EXPECT_TRUE(driver::WaitUntilHidden(page));
    SendMessageTimeoutA(driver::FindWindowOf(setup.Id(), "THaupt"), WM_ACTIVATE, WA_CLICKACTIVE, 0,
                        SMTO_ABORTIFHUNG, driver::kTimeoutMs, nullptr);
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "TInfo"));
  }
}

// An empty Setup.inf and no picture: every value takes its default, the
// title is two blanks, and the missing picture is reported.
TEST(Startup, RunsFromAnEmptyConfiguration) {
  SetupProcess setup("empty", std::string(), false);
  ASSERT_TRUE(setup.Start());
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->caption, "  -Setup");
  EXPECT_EQ(box->text, "Kann Datei " + setup.Directory() + "setup.bmp nicht öffnen.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  driver::ClickButton(box->handle, "OK");
  HWND welcome = driver::WaitForWindow(setup.Id(), "TInfo");
  ASSERT_TRUE(welcome);
  EXPECT_TRUE(driver::FindWindowOf(setup.Id(), "THaupt", "  -Setup"));
  EXPECT_TRUE(driver::ControlByText(welcome, "Willkommen beim   -Setup").handle);
  EXPECT_TRUE(driver::WaitFor([&] {
    return driver::AreaHasColour(welcome, {60, 100, 1, 1}, GetSysColor(COLOR_BTNFACE));
  }));
}

// Without Setup.inf there is no product: said at once, and no window comes.
TEST(Startup, EndsWithoutSetupInf) {
  SetupProcess setup("no-inf", std::nullopt);
  ASSERT_TRUE(setup.Start());
  const auto box = driver::WaitForMessageBox(setup.Id());
  ASSERT_TRUE(box);
  layout::ExpectCentred(box->handle);
  EXPECT_EQ(box->caption, "Fehler");
  EXPECT_EQ(box->text, "Die Datei " + setup.Directory() +
                           "Setup.inf wurde nicht gefunden. Ohne sie kann Setup nichts installieren und wird "
                           "beendet.");
  EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(driver::FindWindowOf(setup.Id(), "THaupt"));
  driver::ClickButton(box->handle, "OK");
  EXPECT_EQ(setup.WaitForExit(), 1603u);
}

// Clicking the backdrop activates it, and the page stays above it on the
// screen: after the click, after the about box, after "Fortfahren".
TEST(Startup, PageStaysAboveTheBackdrop) {
  SetupProcess setup("above", Inf("Oben", "Bleiben", "1.0"));
  const auto [backdrop, welcome] = StartToWelcome(setup);
  ASSERT_TRUE(welcome);
  scenario::ExpectPicture(welcome);
  const auto expect_page_above = [&](const char* after) {
    SCOPED_TRACE(after);
    // Wine may restack the screen a moment after the activation.
    Sleep(300);
    const driver::Rect inside_picture{60, 100, 1, 1};
    EXPECT_FALSE(driver::WaitFor(
        [&] { return !driver::AreaHasColour(welcome, inside_picture, driver::kPictureColour); }, 1000));
    POINT point{inside_picture.left, inside_picture.top};
    ClientToScreen(welcome, &point);
    EXPECT_EQ(GetAncestor(WindowFromPoint(point), GA_ROOT), welcome);
  };

  ASSERT_TRUE(ClickBackdrop(backdrop));
  expect_page_above("click");

  driver::DoubleClick(backdrop, scenario::kBackdropFreeX, scenario::kBackdropFreeY);
  HWND about = driver::WaitForWindow(setup.Id(), "TExtInfo");
  ASSERT_TRUE(about);
  driver::ClickButton(about, "OK");
  ASSERT_TRUE(driver::WaitUntilHidden(about));
  expect_page_above("about box");

  driver::ClickButton(welcome, "Abbrechen");
  HWND confirmation = driver::WaitForWindow(setup.Id(), "TAbbruch");
  ASSERT_TRUE(confirmation);
  driver::ClickButton(confirmation, "Fortfahren");
  ASSERT_TRUE(driver::WaitUntilHidden(confirmation));
  expect_page_above("Fortfahren");
}

// A second copy of a product's setup, from the same medium or another one,
// in another letter case or version, brings the first to the front and ends;
// another product's setup runs beside it.
TEST(Startup, OneSetupPerProduct) {
  SetupProcess first("first", Inf("Einmal", "Nur", "1.0"));
  const auto [backdrop, welcome] = StartToWelcome(first);
  ASSERT_TRUE(welcome);
  const struct {
    const char* name;
    std::optional<std::string> inf;  // none: the first one's medium
    bool runs;
  } cases[] = {
      {"same-medium", std::nullopt, false},
      {"other-version", Inf("einmal", "NUR", "2.0"), false},
      {"other-product", Inf("Einmal", "Anders", "1.0"), true},
  };
  int click_x = scenario::kBackdropFreeX;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    // The first one is not in front when the second starts.
    click_x += 40;
    ASSERT_TRUE(ClickBackdrop(backdrop, click_x));
    std::optional<SetupProcess> second;
    if (row.inf) {
      second.emplace("second", *row.inf);
    } else {
      second.emplace(first.Directory());
    }
    ASSERT_TRUE(second->Start());
    if (row.runs) {
      EXPECT_TRUE(driver::WaitForWindow(second->Id(), "TInfo"));
      continue;
    }
    EXPECT_EQ(second->WaitForExit(), static_cast<DWORD>(ERROR_INSTALL_ALREADY_RUNNING));
    EXPECT_TRUE(driver::WaitFor([&] { return GetForegroundWindow() == welcome; }));
  }
}

}  // namespace
