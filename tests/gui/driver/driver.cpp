#include "driver/driver.h"

#include <algorithm>

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

void MouseClick(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  // Absolute positions run from 0 to 65535 across the screen.
  const LONG dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  const LONG dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  INPUT clicks[3] = {};
  for (INPUT& input : clicks) {
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
  }
  clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  clicks[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, clicks, sizeof(INPUT));
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

Pixels CapturePixels(HWND window, const Rect& area) {
  POINT corner{area.left, area.top};
  ClientToScreen(window, &corner);
  Pixels pixels{area.width, area.height, std::vector<COLORREF>(area.width * area.height)};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, area.width, area.height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, area.width, area.height, screen, corner.x, corner.y, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFOHEADER format{};
  format.biSize = sizeof format;
  format.biWidth = area.width;
  format.biHeight = -area.height;  // top row first
  format.biPlanes = 1;
  format.biBitCount = 32;
  format.biCompression = BI_RGB;
  std::vector<RGBQUAD> bits(pixels.colours.size());
  GetDIBits(memory, bitmap, 0, area.height, bits.data(), reinterpret_cast<BITMAPINFO*>(&format),
            DIB_RGB_COLORS);
  for (std::size_t i = 0; i < bits.size(); ++i) {
    pixels.colours[i] = RGB(bits[i].rgbRed, bits[i].rgbGreen, bits[i].rgbBlue);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool AreaHasColour(HWND window, const Rect& area, COLORREF colour) {
  const std::vector<COLORREF> colours = CapturePixels(window, area).colours;
  return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

}  // namespace driver
