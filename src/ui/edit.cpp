#include "ui/edit.h"

namespace ui {

Edit::Edit(Window& parent, const Bounds& bounds, const std::string& text) : Control(parent) {
  CreateSystemControl("EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, bounds);
  SetCaption(text);
}

HBRUSH Edit::ControlColour(HDC dc) {
  const Colour white = RGB(255, 255, 255);
  SetBkColor(dc, white);
  return SolidBrush(white);
}

}  // namespace ui
