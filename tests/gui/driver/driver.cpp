#include "driver/driver.h"

#include <algorithm>

namespace driver {

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kMessageTimeoutMs = 5000;
constexpr char kMessageBoxClass[] = "TMessageForm";

struct Search {
  DWORD process;
  std::string class_name;
  std::optional<std::string> caption;
  HWND found = nullptr;
};

bool Matches(HWND window, const Search& search) {
  if (!IsWindowVisible(window) || ClassOf(window) != search.class_name) return false;
  return !search.caption || TextOf(window) == *search.caption;
}

BOOL CALLBACK CheckWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && Matches(window, *search)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CheckThreadWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (!Matches(window, *search)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK CollectControl(HWND window, LPARAM context) {
  auto* controls = reinterpret_cast<std::vector<Control>*>(context);
  Control control;
  control.handle = window;
  control.class_name = ClassOf(window);
  control.text = TextOf(window);
  control.bounds = BoundsOf(window);
  control.visible = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  control.enabled = IsWindowEnabled(window);
  control.default_button =
      control.class_name == "Button" && (GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  controls->push_back(control);
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return false;
    // Inside the test's own process the windows need their messages handled while we wait.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(kPollMs);
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kMessageTimeoutMs, &length);
  return std::string(text, length);
}

Rect BoundsOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  HWND parent = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

SIZE ClientSize(HWND window) {
  RECT rect;
  GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

HWND FindWindowOf(DWORD process, const std::string& class_name, const std::optional<std::string>& caption) {
  Search search{process, class_name, caption};
  if (process == 0) {
    EnumThreadWindows(GetCurrentThreadId(), CheckThreadWindow, reinterpret_cast<LPARAM>(&search));
  } else {
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
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

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool ClickButton(HWND window, const std::string& caption) {
  const Control button = ControlByText(window, caption);
  if (!button.handle || button.class_name != "Button") return false;
  Click(button.handle);
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
  MessageBoxText result{box, TextOf(box), "", {}};
  for (const Control& control : ControlsOf(box)) {
    if (control.class_name == "Button") {
      result.buttons.push_back(control.text);
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

std::vector<COLORREF> CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
  const auto* source = static_cast<const DWORD*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    // The DIB holds 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD pixel = source[i];
    pixels[i] = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

namespace {
RECT ScreenRect(HWND window, const Rect& area) {
  POINT corner{area.left, area.top};
  ClientToScreen(window, &corner);
  return {corner.x, corner.y, corner.x + area.width, corner.y + area.height};
}
}  // namespace

COLORREF PixelAt(HWND window, int x, int y) {
  return CaptureScreen(ScreenRect(window, {x, y, 1, 1})).front();
}

bool AreaHasColour(HWND window, const Rect& area, COLORREF colour) {
  const std::vector<COLORREF> pixels = CaptureScreen(ScreenRect(window, area));
  return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

}  // namespace driver
