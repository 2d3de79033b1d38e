#include "ui/shadow_label.h"

#include <algorithm>

namespace ui {

ShadowLabel::ShadowLabel(Window& parent, int left, int top, SIZE shadow_offset)
    : PaintedControl(parent, true), shadow_offset_(shadow_offset) {
  CreateOwnControl("TShadowLabel", 0, 0, {left, top, 0, 0});
  AdjustSize();
}

void ShadowLabel::SetCaption(const std::string& text) {
  Window::SetCaption(text);
  AdjustSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ShadowLabel::SetColours(Colour text, Colour shadow) {
  text_colour_ = text;
  shadow_colour_ = shadow;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ShadowLabel::Paint(HDC dc) {
  const std::string text = Caption();
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, shadow_colour_);
  TextOutA(dc, shadow_offset_.cx, shadow_offset_.cy, text.data(), static_cast<int>(text.size()));
  SetTextColor(dc, text_colour_);
  TextOutA(dc, 0, 0, text.data(), static_cast<int>(text.size()));
  SelectObject(dc, previous);
}

void ShadowLabel::FontChanged() {
  AdjustSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void ShadowLabel::AdjustSize() {
  const std::string text = Caption();
  HDC dc = GetDC(Handle());
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  // An italic last letter leans out beyond its advance width.
  ABC last{};
  if (!text.empty() && GetCharABCWidthsA(dc, static_cast<unsigned char>(text.back()),
                                         static_cast<unsigned char>(text.back()), &last)) {
    size.cx += std::max(0, -last.abcC);
  }
  SelectObject(dc, previous);
  ReleaseDC(Handle(), dc);
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx + shadow_offset_.cx, size.cy + shadow_offset_.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
