#include "ui/control.h"

#include "ui/application.h"
#include "ui/form.h"

namespace ui {

namespace {

// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Escape.
constexpr int kFirstControlId = 1000;

HMENU NextControlId() {
  static int next = kFirstControlId;
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(next++));
}

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

}  // namespace

Form& Control::OwnerForm() const { return *dynamic_cast<Form*>(FromHandle(GetAncestor(Handle(), GA_ROOT))); }

void Control::SetFont(const FontSettings& settings) {
  own_font_ = std::make_unique<Font>(settings);
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(own_font_->Handle()), TRUE);
  FontChanged();
}

void Control::CreateSystemControl(const char* class_name, DWORD style, DWORD ex_style, const Bounds& bounds) {
  Attach(CreateWindowExA(ex_style, class_name, "", kChildStyle | style, bounds.left, bounds.top, bounds.width,
                         bounds.height, parent_.Handle(), NextControlId(), App().Instance(), nullptr));
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetFont().Handle()), FALSE);
}

void Control::CreateOwnControl(const char* class_name, DWORD style, DWORD ex_style, const Bounds& bounds) {
  const RECT rect{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  CreateOwnWindow(class_name, kChildStyle | style, ex_style, rect, parent_.Handle(), NextControlId());
}

LRESULT PaintedControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      if (fills_background_) FillBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      Paint(dc);
      EndPaint(Handle(), &paint);
      return 0;
    }
  }
  return Control::HandleMessage(message, wparam, lparam);
}

}  // namespace ui
