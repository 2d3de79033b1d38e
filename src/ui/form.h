#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/font.h"
#include "ui/window.h"

namespace ui {

class Button;
class Timer;

enum class BorderStyle {
  kDialog,    // fixed size, caption with only a system menu and a close box
  kSizeable,  // ordinary frame with minimize and maximize boxes
};

enum class ModalResult { kNone, kOk, kCancel, kYes, kNo };

// How a form looks when it is created.
struct FormStyle {
  // The Win32 window class, registered under this name, so that the window
  // can be found by its class.
  const char* class_name = nullptr;
  BorderStyle border = BorderStyle::kDialog;
  int client_width = 0;
  int client_height = 0;
  bool stay_on_top = false;
  // Shown maximized; otherwise centred on the screen.
  bool maximized = false;
  FontSettings font = {"MS Sans Serif", PointsToHeight(8), {}};
};

// A top-level window, created hidden and afterwards only shown and hidden.
// Subclasses override the event handlers they need.
class Form : public Window {
 public:
  explicit Form(const FormStyle& style);
  ~Form() override;

  // The creation step: runs once, right after the form exists (see Application::CreateForm).
  virtual void FormCreate() {}

  void Show();
  void Hide();
  // Shows the form modally: every other window of the program is disabled
  // until the form sets a modal result, is closed, or the quit request comes.
  ModalResult ShowModal();
  bool IsModal() const { return modal_; }
  void SetModalResult(ModalResult result) { modal_result_ = result; }
  ModalResult GetModalResult() const { return modal_result_; }
  // A close request, as from the close box: asks FormCloseQuery, then ends
  // the modal display, hides the form, or, for the main form, ends the program.
  void Close();

  void SetColour(Colour colour);
  Colour BackgroundColour() const override { return colour_; }
  const Font& GetFont() const override { return font_; }

  // Enter clicks the default button, Escape the cancel button.
  void SetDefaultButton(Button* button);
  void SetCancelButton(Button* button) { cancel_button_ = button; }
  // The control that has the focus whenever the form is shown.
  void SetActiveControl(Window* control) { active_control_ = control; }

  void AddTimer(Timer* timer);
  void RemoveTimer(Timer* timer);

 protected:
  virtual void FormShow() {}
  virtual void FormActivate() {}
  // Whether a close request may go ahead.
  virtual bool FormCloseQuery() { return true; }
  virtual void FormDblClick() {}

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void MakeVisible();
  void Activated();
  void Deactivated();
  LRESULT DefaultButtonId() const;
  void MoveFocus(WPARAM wparam, LPARAM lparam);

  Font font_;
  Colour colour_ = GetSysColor(COLOR_BTNFACE);
  bool maximized_;
  bool modal_ = false;
  ModalResult modal_result_ = ModalResult::kNone;
  Button* default_button_ = nullptr;
  Button* cancel_button_ = nullptr;
  Window* active_control_ = nullptr;
  // The control that had the focus when the form was last left.
  HWND focus_ = nullptr;
  std::vector<Timer*> timers_;
};

}  // namespace ui
