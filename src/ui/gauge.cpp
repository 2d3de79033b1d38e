#include "ui/gauge.h"

#include <algorithm>
#include <string>

#include "ui/percent_done.h"

namespace ui {

namespace {
constexpr Colour kBarColour = RGB(0, 0, 255);
constexpr Colour kTextColour = RGB(255, 255, 0);
// Dark enough behind the yellow text where the bar has not arrived yet.
constexpr Colour kEmptyColour = RGB(128, 128, 128);
}  // namespace

Gauge::Gauge(Window& parent, const Bounds& bounds) : PaintedControl(parent, false) {
  CreateOwnControl("TGauge", 0, 0, bounds);
  Update();
}

void Gauge::SetMaxValue(std::int64_t maximum) {
  maximum_ = std::max<std::int64_t>(maximum, 0);
  SetProgress(progress_);
}

void Gauge::SetProgress(std::int64_t progress) {
  progress_ = std::clamp<std::int64_t>(progress, 0, maximum_);
  Update();
}

void Gauge::Update() {
  const std::string text = PercentText(progress_, maximum_);
  if (text != Caption()) SetCaption(text);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void Gauge::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right - client.left;
  const int filled = maximum_ > 0 ? static_cast<int>(progress_ * width / maximum_) : 0;
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
