#include "ui/message_dialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "ui/button.h"
#include "ui/label.h"

namespace ui {

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kButtonRowGap = 16;

const char* TypeCaption(MsgDlgType type) {
  switch (type) {
    case MsgDlgType::kError: return "Fehler";
    case MsgDlgType::kInformation: return "Information";
    case MsgDlgType::kConfirmation: return "Bestätigen";
    case MsgDlgType::kWarning: return "Warnung";
  }
  return "";
}

const char* TypeIcon(MsgDlgType type) {
  switch (type) {
    case MsgDlgType::kError: return IDI_HAND;
    case MsgDlgType::kInformation: return IDI_ASTERISK;
    case MsgDlgType::kConfirmation: return IDI_QUESTION;
    case MsgDlgType::kWarning: return IDI_EXCLAMATION;
  }
  return IDI_APPLICATION;
}

const char* ButtonCaption(MsgDlgButton button) {
  switch (button) {
    case MsgDlgButton::kOk: return "OK";
    case MsgDlgButton::kYes: return "&Ja";
    case MsgDlgButton::kNo: return "&Nein";
    case MsgDlgButton::kCancel: return "Abbrechen";
  }
  return "";
}

ModalResult ButtonResult(MsgDlgButton button) {
  switch (button) {
    case MsgDlgButton::kOk: return ModalResult::kOk;
    case MsgDlgButton::kYes: return ModalResult::kYes;
    case MsgDlgButton::kNo: return ModalResult::kNo;
    case MsgDlgButton::kCancel: return ModalResult::kCancel;
  }
  return ModalResult::kCancel;
}

bool Has(const std::vector<MsgDlgButton>& buttons, MsgDlgButton button) {
  return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

MsgDlgButton DefaultButton(const std::vector<MsgDlgButton>& buttons) {
  if (Has(buttons, MsgDlgButton::kOk)) return MsgDlgButton::kOk;
  if (Has(buttons, MsgDlgButton::kYes)) return MsgDlgButton::kYes;
  return buttons.front();
}

MsgDlgButton EscapeButton(const std::vector<MsgDlgButton>& buttons) {
  if (Has(buttons, MsgDlgButton::kCancel)) return MsgDlgButton::kCancel;
  if (Has(buttons, MsgDlgButton::kNo)) return MsgDlgButton::kNo;
  return MsgDlgButton::kOk;
}

// Where the parts of a message box go, measured before the box exists.
struct MessageLayout {
  Bounds icon;
  Bounds text;
  int buttons_left;
  int buttons_top;
  int client_width;
  int client_height;
};

MessageLayout Measure(const std::string& text, const FontSettings& font_spec, std::size_t button_count) {
  const Font font(font_spec);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font.Handle());
  RECT text_rect{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  DrawTextA(dc, text.c_str(), -1, &text_rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);

  MessageLayout layout{};
  const int text_width = text_rect.right;
  const int text_height = text_rect.bottom;
  layout.icon = {kMargin, kMargin, kIconSize, kIconSize};
  const int text_top = kMargin + std::max(0, (kIconSize - text_height) / 2);
  layout.text = {kMargin + kIconSize + kMargin, text_top, text_width, text_height};
  const int count = static_cast<int>(button_count);
  const int buttons_width = count * kButtonWidth + (count - 1) * kButtonGap;
  layout.client_width = std::max(layout.text.left + text_width + kMargin, buttons_width + 2 * kMargin);
  layout.buttons_left = (layout.client_width - buttons_width) / 2;
  layout.buttons_top = std::max(kMargin + kIconSize, text_top + text_height) + kButtonRowGap;
  layout.client_height = layout.buttons_top + kButtonHeight + kMargin;
  return layout;
}

// The system symbol of a message box.
class IconView : public Control {
 public:
  IconView(Window& parent, const Bounds& bounds, const char* icon) : Control(parent) {
    CreateSystemControl("STATIC", SS_ICON, 0, bounds);
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, icon)), 0);
  }
};

class MessageForm : public Form {
 public:
  MessageForm(const std::string& caption, const std::string& text, MsgDlgType type,
              const std::vector<MsgDlgButton>& buttons, const MessageLayout& layout)
      : Form({.class_name = kMessageFormClass,
              .client_width = layout.client_width,
              .client_height = layout.client_height}),
        icon_(*this, layout.icon, TypeIcon(type)),
        text_(*this, layout.text, text),
        escape_result_(ButtonResult(EscapeButton(buttons))) {
    SetCaption(caption);
    text_.SetWordWrap(true);
    int left = layout.buttons_left;
    for (MsgDlgButton kind : buttons) {
      auto& button = buttons_.emplace_back(std::make_unique<Button>(
          *this, Bounds{left, layout.buttons_top, kButtonWidth, kButtonHeight}, ButtonCaption(kind)));
      button->SetModalResult(ButtonResult(kind));
      if (kind == DefaultButton(buttons)) {
        SetDefaultButton(button.get());
        SetActiveControl(button.get());
      }
      if (kind == EscapeButton(buttons)) SetCancelButton(button.get());
      left += kButtonWidth + kButtonGap;
    }
  }

 protected:
  bool FormCloseQuery() override {
    if (GetModalResult() == ModalResult::kNone) SetModalResult(escape_result_);
    return true;
  }

 private:
  IconView icon_;
  Label text_;
  std::vector<std::unique_ptr<Button>> buttons_;
  ModalResult escape_result_;
};

}  // namespace

ModalResult MessageDlg(const std::string& text, MsgDlgType type,
                       std::initializer_list<MsgDlgButton> buttons) {
  return MessageDlg(TypeCaption(type), text, type, buttons);
}

ModalResult MessageDlg(const std::string& caption, const std::string& text, MsgDlgType type,
                       std::initializer_list<MsgDlgButton> buttons) {
  std::vector<MsgDlgButton> kinds(buttons);
  if (kinds.empty()) kinds.push_back(MsgDlgButton::kOk);
  const FormStyle style;
  MessageForm form(caption, text, type, kinds, Measure(text, style.font, kinds.size()));
  return form.ShowModal();
}

}  // namespace ui
