// The German message box: captions, buttons, Enter, Escape and the close box.
#include "ui/message_dialog.h"

#include <gtest/gtest.h>

#include "ui/application.h"
#include "window/script.h"

namespace {

using ui::ModalResult;
using ui::MsgDlgButton;
using ui::MsgDlgType;

enum class Answer { kEnter, kEscape, kCloseBox };

struct DialogCase {
  MsgDlgType type;
  std::initializer_list<MsgDlgButton> buttons;
  Answer answer;
  const char* caption;
  std::vector<std::string> button_texts;
  const char* default_button;
  ModalResult result;
};

TEST(MessageDialog, AnswersByKindAndButtons) {
  using enum MsgDlgButton;
  const DialogCase cases[] = {
      {MsgDlgType::kError, {kOk}, Answer::kEnter, "Fehler", {"OK"}, "OK", ModalResult::kOk},
      {MsgDlgType::kInformation, {kOk}, Answer::kEscape, "Information", {"OK"}, "OK", ModalResult::kOk},
      {MsgDlgType::kConfirmation,
       {kYes, kNo},
       Answer::kEnter,
       "Bestätigen",
       {"&Ja", "&Nein"},
       "&Ja",
       ModalResult::kYes},
      {MsgDlgType::kConfirmation,
       {kYes, kNo},
       Answer::kEscape,
       "Bestätigen",
       {"&Ja", "&Nein"},
       "&Ja",
       ModalResult::kNo},
      // Closing a question is no consent.
      {MsgDlgType::kWarning,
       {kYes, kNo},
       Answer::kCloseBox,
       "Warnung",
       {"&Ja", "&Nein"},
       "&Ja",
       ModalResult::kNo},
      {MsgDlgType::kWarning,
       {kYes, kNo, kCancel},
       Answer::kEscape,
       "Warnung",
       {"&Ja", "&Nein", "Abbrechen"},
       "&Ja",
       ModalResult::kCancel},
      {MsgDlgType::kError,
       {kOk, kCancel},
       Answer::kEnter,
       "Fehler",
       {"OK", "Abbrechen"},
       "OK",
       ModalResult::kOk},
      {MsgDlgType::kError,
       {kOk, kCancel},
       Answer::kCloseBox,
       "Fehler",
       {"OK", "Abbrechen"},
       "OK",
       ModalResult::kCancel},
  };
  ui::Application app(GetModuleHandleA(nullptr));
  int row_number = 0;
  for (const DialogCase& row : cases) {
    SCOPED_TRACE(row_number++);
    Script script;
    driver::MessageBoxText seen;
    std::string default_text;
    bool centred = false;
    script.When("TMessageForm", [&](HWND box) {
      seen = driver::ReadMessageBox(box);
      for (const driver::Control& control : driver::ControlsOf(box)) {
        if (control.default_button) default_text = control.text;
      }
      RECT frame;
      GetWindowRect(box, &frame);
      centred = std::abs((frame.left + frame.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                std::abs((frame.top + frame.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
      switch (row.answer) {
        case Answer::kEnter: driver::PressKey(box, VK_RETURN); break;
        case Answer::kEscape: driver::PressKey(box, VK_ESCAPE); break;
        case Answer::kCloseBox: driver::RequestClose(box); break;
      }
    });
    EXPECT_EQ(ui::MessageDlg("Eine Nachricht, lang genug, um zu zeigen, dass sie umbrochen werden kann.",
                             row.type, row.buttons),
              row.result);
    EXPECT_EQ(seen.caption, row.caption);
    EXPECT_EQ(seen.text, "Eine Nachricht, lang genug, um zu zeigen, dass sie umbrochen werden kann.");
    EXPECT_EQ(seen.buttons, row.button_texts);
    EXPECT_EQ(default_text, row.default_button);
    EXPECT_TRUE(centred);
  }
}

}  // namespace
