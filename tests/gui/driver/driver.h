#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Drives the windows of a program as a user would: finds them by class and
// caption, reads their controls, clicks, answers message boxes. Works across
// processes and inside the test's own process alike.
namespace driver {

// Long enough for Wine to start a program on a busy machine.
constexpr DWORD kTimeoutMs = 20000;

constexpr DWORD kPollMs = 50;

// Polls condition until it holds or the time is up; says whether it held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = kTimeoutMs, DWORD poll_ms = kPollMs);

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

struct Control {
  HWND handle = nullptr;
  std::string class_name;
  std::string text;
  Rect bounds;           // in the parent's client coordinates
  bool visible = false;  // its own state, whether or not its window is shown
  bool default_button = false;
};

std::string TextOf(HWND window);

// A visible top-level window of the process (0: the test's own) with this
// class and, when given, this caption.
HWND FindWindowOf(DWORD process, const std::string& class_name,
                  const std::optional<std::string>& caption = {});
// Waits for such a window; null when none came.
HWND WaitForWindow(DWORD process, const std::string& class_name,
                   const std::optional<std::string>& caption = {});
bool WaitUntilHidden(HWND window);

// Every control below a window, in creation order, those inside containers
// right after their container.
std::vector<Control> ControlsOf(HWND window);
// The first control with exactly this text; an empty handle when there is none.
Control ControlByText(HWND window, const std::string& text);
// The control that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window);

// Clicks the button with this caption the way BM_CLICK does, without waiting
// for the handler, which may open a modal window; false when there is none.
bool ClickButton(HWND window, const std::string& caption);
// A close request as from the close box or Alt+F4.
void RequestClose(HWND window);
// A double-click at a client position.
void DoubleClick(HWND window, int x, int y);
// A click of the left mouse button at a client position, as the mouse makes
// it: the system activates the window under the pointer.
void MouseClick(HWND window, int x, int y);
// A key press on the focused control of the window's thread.
void PressKey(HWND window, WORD key);

// A message box as the user sees it.
struct MessageBoxText {
  HWND handle = nullptr;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
  std::string default_button;
};
MessageBoxText ReadMessageBox(HWND box);
// Waits for a message box of the process (0: the test's own).
std::optional<MessageBoxText> WaitForMessageBox(DWORD process);

// The pixels of a rectangle (client coordinates) as the screen shows them.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;  // row by row, top row first
};
Pixels CapturePixels(HWND window, const Rect& area);
// Whether any pixel of the rectangle (client coordinates) has this colour.
bool AreaHasColour(HWND window, const Rect& area, COLORREF colour);

}  // namespace driver
