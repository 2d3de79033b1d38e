// The windows' fixed labels against their texts, in the fonts the labels
// have: a text that does not fit its rectangle is cut off on the screen.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "pages/Abbrechen.h"
#include "pages/Beenden.h"
#include "pages/UExtInfo.h"
#include "pages/UInfo.h"
#include "pages/Verzeichnisse.h"
#include "setup/Setup32.h"
#include "setup/forms.h"
#include "setup/profile.h"
#include "setup/setup_state.h"
#include "ui/application.h"

namespace {

// Every text label of the window has the face given and the room its text
// needs.
void ExpectLabelsFit(HWND window, const std::string& face) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (const driver::Control& label : driver::ControlsOf(window)) {
    if (label.class_name != "Static" || label.text.empty()) continue;
    SCOPED_TRACE(label.text);
    const bool wraps = (GetWindowLongA(label.handle, GWL_STYLE) & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label.handle, WM_GETFONT, 0, 0)));
    char got[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof got, got);
    EXPECT_EQ(got, face);
    RECT needed{0, 0, label.bounds.width, 0};
    DrawTextA(dc, label.text.c_str(), -1, &needed,
              DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    EXPECT_LE(needed.right, label.bounds.width);
    EXPECT_LE(needed.bottom, label.bounds.height);
  }
  DeleteDC(dc);
}

// The sample product's names, as long as a product's usually are.
std::string General(const std::string& reboot_system) {
  return "[General]\r\nOrganisation=Beispiel\r\nProduct=Textwerk\r\nVersion=2.0\r\nRebootSystem=" +
         reboot_system + "\r\n";
}

// The windows with fixed texts, made as the program start makes them; the
// welcome page, the destination page and the cancel confirmation were the
// ones that cut their texts off where Wine lacked the faces.
TEST(Labels, TextsFitTheirRectangles) {
  for (const char* reboot_system : {"0", "1"}) {
    SCOPED_TRACE(std::string("RebootSystem=") + reboot_system);
    ui::Application app(GetModuleHandleA(nullptr));
    stp::SetupState state{ui::Application::ExeName()};
    auto haupt = app.CreateForm(Forms().haupt, state);
    app.SetMainForm(*haupt);
    haupt->Configure(stp::ReadSetupConfiguration(stp::ProfileFile::Parse(General(reboot_system))));
    auto ext_info = app.CreateForm(Forms().ext_info);
    auto verzeichnis = app.CreateForm(Forms().verzeichnis, state);
    auto ende = app.CreateForm(Forms().ende, state);
    auto abbruch = app.CreateForm(Forms().abbruch, state);
    auto info = app.CreateForm(Forms().info, state);
    for (const ui::Form* form : std::initializer_list<const ui::Form*>{
             info.get(), verzeichnis.get(), abbruch.get(), ende.get(), ext_info.get()}) {
      SCOPED_TRACE(driver::TextOf(form->Handle()));
      ExpectLabelsFit(form->Handle(), form == ext_info.get() ? "Tahoma" : "MS Sans Serif");
    }
    Forms() = {};
  }
}

}  // namespace
