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
  RedrawArea();  // the old text's area, which may be larger
  Window::SetCaption(text);
  AdjustSize();
  RedrawArea();
}

void Label::SetWordWrap(bool word_wrap) {
  word_wrap_ = word_wrap;
  const LONG style =
      (GetWindowLongA(Handle(), GWL_STYLE) & ~SS_TYPEMASK) | (word_wrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
  SetWindowLongA(Handle(), GWL_STYLE, style);
  AdjustSize();
  RedrawArea();
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
  RedrawArea();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  // A transparent label paints after the siblings beneath it and must not be
  // clipped by them; an opaque one is.
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  LONG ex_style = GetWindowLongA(Handle(), GWL_EXSTYLE);
  style = transparent ? style & ~WS_CLIPSIBLINGS : style | WS_CLIPSIBLINGS;
  ex_style = transparent ? ex_style | WS_EX_TRANSPARENT : ex_style & ~WS_EX_TRANSPARENT;
  SetWindowLongA(Handle(), GWL_STYLE, style);
  SetWindowLongA(Handle(), GWL_EXSTYLE, ex_style);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawArea();
}

HBRUSH Label::ControlColour(HDC dc) {
  SetTextColor(dc, text_colour_);
  if (transparent_) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, BackgroundColour());
  return SolidBrush(BackgroundColour());
}

void Label::FontChanged() {
  AdjustSize();
  RedrawArea();
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

void Label::RedrawArea() {
  if (!transparent_) {
    InvalidateRect(Handle(), nullptr, TRUE);
    return;
  }
  // What was drawn before shows through, so the parent paints the area anew.
  const Bounds bounds = GetBounds();
  const RECT area{bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
  RedrawWindow(GetParent(Handle()), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace ui
