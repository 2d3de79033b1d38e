#include "ui/label.h"

namespace ui {

namespace {
// SS_NOTIFY keeps clicks on the text from reaching the form beneath.
constexpr DWORD kStaticStyle = SS_NOPREFIX | SS_NOTIFY;
}  // namespace

Label::Label(Window& parent, const Bounds& bounds, const std::string& caption) : Control(parent) {
  CreateSystemControl("STATIC", kStaticStyle | SS_LEFTNOWORDWRAP, 0, bounds);
  Window::SetCaption(caption);
}

void Label::SetCaption(const std::string& text) {
  Window::SetCaption(text);
  AdjustSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetWordWrap(bool word_wrap) {
  word_wrap_ = word_wrap;
  const LONG style =
      (GetWindowLongA(Handle(), GWL_STYLE) & ~SS_TYPEMASK) | (word_wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  SetWindowLongA(Handle(), GWL_STYLE, style);
  AdjustSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  AdjustSize();
}

void Label::SetFontStyle(const FontStyle& style) {
  FontSettings settings = GetFont().Settings();
  settings.style = style;
  SetFont(settings);
}

void Label::SetTextColour(Colour colour) {
  text_colour_ = colour;
  InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH Label::ControlColour(HDC dc) {
  SetTextColor(dc, text_colour_);
  SetBkColor(dc, BackgroundColour());
  return SolidBrush(BackgroundColour());
}

void Label::FontChanged() {
  AdjustSize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Label::AdjustSize() {
  if (!auto_size_) return;
  const Bounds bounds = GetBounds();
  const std::string text = Caption();
  HDC dc = GetDC(Handle());
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  RECT rect{0, 0, word_wrap_ ? bounds.width : 0, 0};
  DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &rect,
            DT_CALCRECT | DT_NOPREFIX | (word_wrap_ ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, previous);
  ReleaseDC(Handle(), dc);
  SetWindowPos(Handle(), nullptr, 0, 0, word_wrap_ ? bounds.width : rect.right, rect.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui
