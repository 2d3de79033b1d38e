#pragma once

#include <windows.h>

#include <string>

#include "ui/font.h"

namespace ui {

// Colours as Win32 and Setup.inf write them: 0x00BBGGRR, red in the lowest byte.
using Colour = COLORREF;

// Position and size in the parent's client pixels.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// An owned Win32 window, the base of forms and controls. The handle lives as
// long as the object; it cannot be copied. Windows of the toolkit's own
// classes run their messages through one window procedure that finds the
// object and calls HandleMessage inside a guard, so that no exception crosses
// a Win32 frame.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return handle_; }
  // The toolkit object behind a handle; null for windows the toolkit does not own.
  static Window* FromHandle(HWND handle);

  virtual void SetCaption(const std::string& text);
  std::string Caption() const;
  void SetBounds(const Bounds& bounds);
  void SetPosition(int left, int top);
  Bounds GetBounds() const;
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  // Paints the whole window and its children again at once, without
  // waiting for the message loop.
  void Repaint();
  // Paints only what has changed since the last paint, at once.
  void UpdateNow();

  // The colour children paint behind their text when they are not transparent.
  virtual Colour BackgroundColour() const;
  virtual const Font& GetFont() const = 0;

 protected:
  Window() = default;

  // Registers a window class of the toolkit (once per name) that routes its
  // messages to HandleMessage.
  static void RegisterOwnClass(const char* class_name);
  // Creates a window of a class registered with RegisterOwnClass.
  void CreateOwnWindow(const char* class_name, DWORD style, DWORD ex_style, const RECT& rect, HWND parent,
                       HMENU menu);
  // Takes over a window of a system class (button, static, edit).
  void Attach(HWND handle);

  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // What a control does with its own WM_COMMAND notification.
  virtual void Notify(WORD /*code*/) {}
  // The brush a control paints its background with (WM_CTLCOLOR...); null
  // leaves the system's choice.
  virtual HBRUSH ControlColour(HDC /*dc*/) { return nullptr; }
  // What an owner-drawn control paints for one of its items (WM_DRAWITEM).
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  void FillBackground(HDC dc) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND handle, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
};

// A brush of one colour, created on first use and kept for the program's life.
HBRUSH SolidBrush(Colour colour);

}  // namespace ui
