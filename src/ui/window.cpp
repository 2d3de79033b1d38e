#include "ui/window.h"

#include <map>
#include <stdexcept>

#include "port/errors.h"
#include "ui/application.h"
#include "ui/system_error.h"

namespace ui {

namespace {

// The window property that leads from a handle to its toolkit object.
constexpr char kObjectProperty[] = "ui.Window";

bool IsControlColourMessage(UINT message) {
  return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLOREDIT ||
         message == WM_CTLCOLORLISTBOX;
}

}  // namespace

HBRUSH SolidBrush(Colour colour) {
  static std::map<Colour, HBRUSH> brushes;
  auto [it, added] = brushes.try_emplace(colour, nullptr);
  if (added) it->second = CreateSolidBrush(colour);
  return it->second;
}

Window::~Window() {
  if (!handle_) return;
  // Messages sent while the window goes away must not reach a half-destroyed object.
  RemovePropA(handle_, kObjectProperty);
  DestroyWindow(handle_);
}

Window* Window::FromHandle(HWND handle) {
  return handle ? static_cast<Window*>(GetPropA(handle, kObjectProperty)) : nullptr;
}

void Window::SetCaption(const std::string& text) { SetWindowTextA(handle_, text.c_str()); }

std::string Window::Caption() const {
  std::string text(GetWindowTextLengthA(handle_) + 1, '\0');
  text.resize(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size())));
  return text;
}

void Window::SetBounds(const Bounds& bounds) {
  SetWindowPos(handle_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetPosition(int left, int top) {
  SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Bounds Window::GetBounds() const {
  RECT rect;
  GetWindowRect(handle_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Window::SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE); }

bool Window::Visible() const { return (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Window::SetEnabled(bool enabled) { EnableWindow(handle_, enabled); }

bool Window::Enabled() const { return IsWindowEnabled(handle_); }

void Window::Repaint() {
  RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Window::UpdateNow() { RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

Colour Window::BackgroundColour() const { return GetSysColor(COLOR_BTNFACE); }

void Window::FillBackground(HDC dc) const {
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(dc, &client, SolidBrush(BackgroundColour()));
}

void Window::RegisterOwnClass(const char* class_name) {
  WNDCLASSA window_class{};
  if (GetClassInfoA(App().Instance(), class_name, &window_class)) return;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = App().Instance();
  window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = class_name;
  if (!RegisterClassA(&window_class)) {
    throw stp::Error("Fensterklasse " + std::string(class_name) + " nicht registriert",
                     SystemErrorText(GetLastError()));
  }
}

void Window::CreateOwnWindow(const char* class_name, DWORD style, DWORD ex_style, const RECT& rect,
                             HWND parent, HMENU menu) {
  RegisterOwnClass(class_name);
  // WindowProc sets handle_ when the window's first message arrives.
  CreateWindowExA(ex_style, class_name, "", style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, menu, App().Instance(), this);
  if (!handle_) {
    throw stp::Error("Fenster " + std::string(class_name) + " nicht erzeugt",
                     SystemErrorText(GetLastError()));
  }
}

void Window::Attach(HWND handle) {
  if (!handle) throw stp::Error("Steuerelement nicht erzeugt", SystemErrorText(GetLastError()));
  handle_ = handle;
  SetPropA(handle_, kObjectProperty, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Notifications of child controls go to the control's object.
  if (message == WM_COMMAND && lparam) {
    if (Window* control = FromHandle(reinterpret_cast<HWND>(lparam))) {
      control->Notify(HIWORD(wparam));
      return 0;
    }
  }
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (Window* control = FromHandle(item.hwndItem)) {
      control->DrawItem(item);
      return TRUE;
    }
  }
  if (IsControlColourMessage(message)) {
    if (Window* control = FromHandle(reinterpret_cast<HWND>(lparam))) {
      if (HBRUSH brush = control->ControlColour(reinterpret_cast<HDC>(wparam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
    }
  }
  return DefWindowProcA(handle_, message, wparam, lparam);
}

LRESULT CALLBACK Window::WindowProc(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->handle_ = handle;
    SetPropA(handle, kObjectProperty, self);
  }
  Window* self = FromHandle(handle);
  if (!self) return DefWindowProcA(handle, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    RemovePropA(handle, kObjectProperty);
    self->handle_ = nullptr;
    return DefWindowProcA(handle, message, wparam, lparam);
  }
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    App().ShowException(error);
    return 0;
  }
}

}  // namespace ui
