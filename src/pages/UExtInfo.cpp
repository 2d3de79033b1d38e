#include "pages/UExtInfo.h"

namespace {

constexpr ui::FontStyle kHeadingStyle{.bold = true, .italic = true, .underline = true};

}  // namespace

TExtInfo::TExtInfo()
    : ui::Form({.class_name = "TExtInfo",
                .client_width = 632,
                .client_height = 225,
                .font = {"Tahoma", ui::PointsToHeight(8), {}}}),
      heading1_(*this, {16, 8, 0, 0}, "Produktinfos"),
      product_line_(*this, {24, 24, 481, 17},
                    "Dieses Setup wurde mit Kiltwell 98 erstellt, einem Werkzeug der Kiltwell-Familie."),
      heading2_(*this, {16, 48, 0, 0}, "Warenzeichen"),
      trademark_note_(
          *this, {24, 64, 593, 33},
          "Kiltwell und Kiltwell 98 sind Warenzeichen ihres Herausgebers. Alle anderen genannten "
          "Produktnamen sind Warenzeichen oder eingetragene Warenzeichen ihrer jeweiligen Inhaber."),
      edition_line_(*this, {16, 112, 0, 0}, "Kiltwell - Enterprise, Version 4.0"),
      notice1_(*this, {16, 128, 0, 0}, "Veröffentlicht 1997, 1998"),
      notice2_(*this, {16, 144, 0, 0}, "Herausgegeben vom Kiltwell-Projekt"),
      notice3_(*this, {16, 160, 0, 0}, "Anschrift des Herausgebers: siehe Produktunterlagen"),
      notice4_(*this, {16, 176, 0, 0}, "Alle Rechte vorbehalten."),
      Button1(*this, {276, 200, 81, 21}, "OK"),
      frame_(*this, {8, 8, 617, 185}, ui::BevelShape::kBox) {
  SetCaption("Informationen zu Kiltwell 98");
  heading1_.SetFontStyle(kHeadingStyle);
  heading2_.SetFontStyle(kHeadingStyle);
  trademark_note_.SetWordWrap(true);
  for (ui::Label* label :
       {&heading1_, &heading2_, &edition_line_, &notice1_, &notice2_, &notice3_, &notice4_}) {
    label->SetAutoSize(true);
  }
  Button1.SetModalResult(ui::ModalResult::kOk);
  SetDefaultButton(&Button1);
  SetActiveControl(&Button1);
}
