#include "ui/gauge.h"

#include <string>

namespace ui {

namespace {
constexpr Colour kBarColour = RGB(0, 0, 255);
constexpr Colour kTextColour = RGB(255, 255, 0);
// Dark enough behind the yellow text where the bar has not arrived yet.
constexpr Colour kEmptyColour = RGB(128, 128, 128);
}  // namespace

Gauge::Gauge(Window& parent, const Bounds& bounds) : PaintedControl(parent, false), width_(bounds.width) {
  CreateOwnControl("TGauge", 0, 0, bounds);
  Update();
}

void Gauge::SetMaxValue(std::int64_t maximum) {
  scale_.SetMaxValue(maximum);
  Update();
}

void Gauge::SetProgress(std::int64_t progress) {
  scale_.SetProgress(progress);
  Update();
}

void Gauge::Update() {
  const int percent = scale_.Percent();
  const int filled = scale_.Filled(width_);
  if (percent == shown_percent_ && filled == shown_filled_) return;
  if (percent != shown_percent_) SetCaption(scale_.Text());
  shown_percent_ = percent;
  shown_filled_ = filled;
  InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT Gauge::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SIZE) width_ = LOWORD(lparam);
  return PaintedControl::HandleMessage(message, wparam, lparam);
}

void Gauge::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int filled = scale_.Filled(client.right - client.left);
  RECT bar = client;
  bar.right = bar.left + filled;
  RECT rest = client;
  rest.left = bar.right;
  FillRect(dc, &bar, SolidBrush(kBarColour));
  FillRect(dc, &rest, SolidBrush(kEmptyColour));
  const std::string text = Caption();
  HGDIOBJ previous = SelectObject(dc, GetFont().Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  DrawTextA(dc, text.c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, previous);
}

}  // namespace ui
