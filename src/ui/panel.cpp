#include "ui/panel.h"

namespace ui {

Panel::Panel(Window& parent, const Bounds& bounds, const std::string& caption)
    : PaintedControl(parent, true) {
  CreateOwnControl("TPanel", 0, WS_EX_CONTROLPARENT, bounds);
  SetCaption(caption);
}

void Panel::SetCaption(const std::string& text) {
  Window::SetCaption(text);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void Panel::SetBevels(BevelCut outer, BevelCut inner) {
  outer_ = outer;
  inner_ = inner;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void DrawBevel(HDC dc, RECT& rect, BevelCut cut) {
  switch (cut) {
    case BevelCut::kNone: return;
    case BevelCut::kLowered: DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST); return;
    case BevelCut::kRaised: DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST); return;
  }
}

void Panel::Paint(HDC dc) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  DrawBevel(dc, rect, outer_);
  DrawBevel(dc, rect, inner_);
  const std::string text = Caption();
  if (text.empty()) return;
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(dc, text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
}

}  // namespace ui
