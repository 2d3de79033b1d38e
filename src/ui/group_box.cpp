#include "ui/group_box.h"

namespace ui {

namespace {
constexpr int kCaptionIndent = 8;
}  // namespace

GroupBox::GroupBox(Window& parent, const Bounds& bounds, const std::string& caption)
    : PaintedControl(parent, true) {
  CreateOwnControl("TGroupBox", 0, WS_EX_CONTROLPARENT, bounds);
  SetCaption(caption);
}

void GroupBox::SetCaption(const std::string& text) {
  Window::SetCaption(text);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void GroupBox::Paint(HDC dc) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  const std::string text = Caption();
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  SIZE text_size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &text_size);
  // The frame runs through the middle of the caption's line.
  RECT frame = rect;
  frame.top += text_size.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!text.empty()) {
    SetBkColor(dc, BackgroundColour());
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TextOutA(dc, kCaptionIndent, 0, text.c_str(), static_cast<int>(text.size()));
  }
  SelectObject(dc, previous);
}

}  // namespace ui
