#include "maintenance/UDeinstallation.h"

namespace {
constexpr int kClientWidth = 340;
constexpr int kClientHeight = 84;
constexpr int kMargin = 12;
constexpr int kInnerWidth = kClientWidth - 2 * kMargin;
}  // namespace

TDeinstallation::TDeinstallation(const std::string& product_title)
    : ui::Form({.class_name = kClassName,
                .client_width = kClientWidth,
                .client_height = kClientHeight,
                .stay_on_top = true}),
      text_(*this, {kMargin, kMargin, kInnerWidth, 26}, "Entfernt " + product_title + " von Ihrem System."),
      gauge_panel_(*this, {kMargin, 48, kInnerWidth, 23}),
      gauge_(gauge_panel_, {1, 1, kInnerWidth - 2, 21}) {
  SetCaption(product_title);
  text_.SetWordWrap(true);
  gauge_panel_.SetBevels(ui::BevelCut::kLowered, ui::BevelCut::kNone);
}

void TDeinstallation::SetGaugeMaximum(int maximum) { gauge_.SetMaxValue(maximum); }

void TDeinstallation::SetGaugePosition(int position) { gauge_.SetProgress(position); }

void TDeinstallation::ShowProgressPanel() {
  // The window holds nothing but the progress; it is visible throughout.
  Repaint();
}
