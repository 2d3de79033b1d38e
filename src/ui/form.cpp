#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/button.h"
#include "ui/timer.h"

namespace ui {

namespace {

struct WindowList {
  HWND except;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM context) {
  auto* list = reinterpret_cast<WindowList*>(context);
  if (window != list->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    list->windows.push_back(window);
  }
  return TRUE;
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

BOOL CALLBACK CollectOwnedTopmostWindow(HWND window, LPARAM context) {
  auto* list = reinterpret_cast<WindowList*>(context);
  if (GetWindow(window, GW_OWNER) == list->except && IsWindowVisible(window) && IsTopmost(window)) {
    list->windows.push_back(window);
  }
  return TRUE;
}

// Wine's X11 driver raises a window that takes the focus above all others on
// the screen when no window manager stacks them (its virtual desktop, a bare
// display), while its own z-order still has the stay-on-top windows above.
// Only a real change of their z-order puts them back on top on the screen, so
// each leaves the stay-on-top band and comes back, the lowest first.
void RaiseOwnedTopmostWindows(HWND owner) {
  WindowList owned{owner, {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectOwnedTopmostWindow, reinterpret_cast<LPARAM>(&owned));
  constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW;
  for (auto it = owned.windows.rbegin(); it != owned.windows.rend(); ++it) {
    SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
    SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
}

}  // namespace

Form::Form(const FormStyle& style) : font_(style.font), maximized_(style.maximized) {
  DWORD window_style = 0;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  switch (style.border) {
    case BorderStyle::kDialog:
      window_style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      ex_style |= WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::kSizeable: window_style = WS_OVERLAPPEDWINDOW; break;
  }
  if (style.stay_on_top) ex_style |= WS_EX_TOPMOST;

  RECT placed{};
  if (style.maximized) {
    // Restored, it still covers the screen: without a window manager to
    // maximize it (a bare X display) it looks the same.
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &placed, 0);
  } else {
    RECT rect{0, 0, style.client_width, style.client_height};
    AdjustWindowRectEx(&rect, window_style, FALSE, ex_style);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    placed = {left, top, left + width, top + height};
  }
  HWND owner = App().MainForm() ? App().MainForm()->Handle() : nullptr;
  CreateOwnWindow(style.class_name, window_style, ex_style, placed, owner, nullptr);
}

Form::~Form() = default;

void Form::Show() {
  if (Visible()) {
    BringWindowToTop(Handle());
    return;
  }
  focus_ = active_control_ ? active_control_->Handle() : nullptr;
  App().Guarded([this] { FormShow(); });
  // A show handler that ended the program leaves nothing to show.
  if (!App().Terminated()) MakeVisible();
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

void Form::MakeVisible() { ShowWindow(Handle(), maximized_ ? SW_SHOWMAXIMIZED : SW_SHOW); }

ModalResult Form::ShowModal() {
  if (modal_ || App().Terminated()) return ModalResult::kCancel;
  HWND previously_active = GetActiveWindow();
  modal_ = true;
  modal_result_ = ModalResult::kNone;
  App().EnterModal();

  WindowList others{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&others));
  for (HWND window : others.windows) EnableWindow(window, FALSE);
  // A modal form must not open behind the stay-on-top pages it blocks.
  const bool lifted =
      !IsTopmost(Handle()) && std::any_of(others.windows.begin(), others.windows.end(), IsTopmost);
  if (lifted) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  focus_ = active_control_ ? active_control_->Handle() : nullptr;
  App().Guarded([this] { FormShow(); });
  if (modal_result_ == ModalResult::kNone && !App().Terminated()) {
    MakeVisible();
    while (modal_result_ == ModalResult::kNone && !App().Terminated()) App().HandleMessage();
  }

  // The owners come back before the form goes, so that activation returns to them.
  for (HWND window : others.windows) EnableWindow(window, TRUE);
  Hide();
  if (lifted) SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (previously_active && IsWindowVisible(previously_active)) SetActiveWindow(previously_active);

  App().LeaveModal();
  modal_ = false;
  return modal_result_ == ModalResult::kNone ? ModalResult::kCancel : modal_result_;
}

void Form::Close() {
  if (!FormCloseQuery()) return;
  if (modal_) {
    if (modal_result_ == ModalResult::kNone) modal_result_ = ModalResult::kCancel;
  } else if (App().MainForm() == this) {
    App().Terminate();
  } else {
    Hide();
  }
}

void Form::SetColour(Colour colour) {
  colour_ = colour;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Form::SetDefaultButton(Button* button) {
  if (default_button_) SendMessageA(default_button_->Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  default_button_ = button;
  if (default_button_) SendMessageA(default_button_->Handle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Form::AddTimer(Timer* timer) { timers_.push_back(timer); }

void Form::RemoveTimer(Timer* timer) { std::erase(timers_, timer); }

void Form::Activated() {
  HWND target = focus_;
  if (!target || !IsChild(Handle(), target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    target = default_button_ && default_button_->Enabled() ? default_button_->Handle() : Handle();
  }
  SetFocus(target);
  RaiseOwnedTopmostWindows(Handle());
  FormActivate();
}

void Form::Deactivated() {
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) focus_ = focus;
}

LRESULT Form::DefaultButtonId() const {
  // Enter presses the focused button, as in dialogs, and otherwise the default one.
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus) && dynamic_cast<Button*>(FromHandle(focus))) {
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  }
  if (default_button_) return MAKELRESULT(GetDlgCtrlID(default_button_->Handle()), DC_HASDEFID);
  return 0;
}

void Form::MoveFocus(WPARAM wparam, LPARAM lparam) {
  HWND target =
      lparam ? reinterpret_cast<HWND>(wparam) : GetNextDlgTabItem(Handle(), GetFocus(), wparam != 0);
  if (target) SetFocus(target);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        Deactivated();
      } else if (!HIWORD(wparam)) {
        Activated();
      }
      return 0;
    case WM_ERASEBKGND: FillBackground(reinterpret_cast<HDC>(wparam)); return 1;
    case WM_LBUTTONDBLCLK: FormDblClick(); return 0;
    case WM_TIMER:
      for (Timer* timer : timers_) {
        if (timer->Id() == wparam) {
          timer->Fire();
          return 0;
        }
      }
      break;
    case DM_GETDEFID: return DefaultButtonId();
    case WM_NEXTDLGCTL: MoveFocus(wparam, lparam); return 0;
    case WM_COMMAND:
      // Enter and Escape as the dialog manager reports them when no control is named.
      if (!lparam && LOWORD(wparam) == IDOK && default_button_ && default_button_->Enabled()) {
        default_button_->Click();
        return 0;
      }
      if (!lparam && LOWORD(wparam) == IDCANCEL && cancel_button_ && cancel_button_->Enabled()) {
        cancel_button_->Click();
        return 0;
      }
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
