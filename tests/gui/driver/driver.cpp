#include "driver/driver.h"

namespace driver {

namespace {

constexpr UINT kMessageTimeoutMs = 5000;
constexpr char kMessageBoxClass[] = "TMessageForm";

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

Rect BoundsOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CALLBACK CollectControl(HWND window, LPARAM context) {
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const std::string class_name = ClassOf(window);
  reinterpret_cast<std::vector<Control>*>(context)->push_back(
      {window, class_name, TextOf(window), BoundsOf(window), (style & WS_VISIBLE) != 0,
       class_name == "Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON});
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms, DWORD poll_ms) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return false;
    // Inside the test's own process the windows need their messages handled while we wait.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(poll_ms);
  }
  return true;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kMessageTimeoutMs, &length);
  return std::string(text, length);
}

HWND FindWindowOf(DWORD process, const std::string& class_name, const std::optional<std::string>& caption) {
  const DWORD wanted = process != 0 ? process : GetCurrentProcessId();
  for (HWND window = FindWindowExA(nullptr, nullptr, class_name.c_str(), nullptr); window;
       window = FindWindowExA(nullptr, window, class_name.c_str(), nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == wanted && IsWindowVisible(window) && (!caption || TextOf(window) == *caption)) return window;
  }
  return nullptr;
}

HWND WaitForWindow(DWORD process, const std::string& class_name, const std::optional<std::string>& caption) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindWindowOf(process, class_name, caption)) != nullptr; });
  return found;
}

bool WaitUntilHidden(HWND window) {
  return WaitFor([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::vector<Control> ControlsOf(HWND window) {
  std::vector<Control> controls;
  EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

Control ControlByText(HWND window, const std::string& text) {
  for (const Control& control : ControlsOf(window)) {
    if (control.text == text) return control;
  }
  return {};
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

bool ClickButton(HWND window, const std::string& caption) {
  const Control button = ControlByText(window, caption);
  if (!button.handle || button.class_name != "Button") return false;
  PostMessageA(button.handle, BM_CLICK, 0, 0);
  return true;
}

void RequestClose(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void DoubleClick(HWND window, int x, int y) {
  const LPARAM position = MAKELPARAM(x, y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, position);
  PostMessageA(window, WM_LBUTTONUP, 0, position);
  PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
  PostMessageA(window, WM_LBUTTONUP, 0, position);
}

void PressKey(HWND window, WORD key) {
  HWND target = FocusOf(window);
  if (!target) target = window;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

MessageBoxText ReadMessageBox(HWND box) {
  MessageBoxText result{box, TextOf(box), "", {}, ""};
  for (const Control& control : ControlsOf(box)) {
    if (control.class_name == "Button") {
      result.buttons.push_back(control.text);
      if (control.default_button) result.default_button = control.text;
    } else if (control.class_name == "Static" && !control.text.empty()) {
      result.text = control.text;
    }
  }
  return result;
}

std::optional<MessageBoxText> WaitForMessageBox(DWORD process) {
  HWND box = WaitForWindow(process, kMessageBoxClass);
  if (!box) return std::nullopt;
  return ReadMessageBox(box);
}

bool AreaHasColour(HWND window, const Rect& area, COLORREF colour) {
  POINT corner{area.left, area.top};
  ClientToScreen(window, &corner);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, area.width, area.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, area.width, area.height, screen, corner.x, corner.y, SRCCOPY);
  bool found = false;
  for (int y = 0; y < area.height && !found; ++y) {
    for (int x = 0; x < area.width && !found; ++x) found = GetPixel(memory, x, y) == colour;
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace driver
