#include "pages/Beenden.h"

TEnde::TEnde()
    : ui::Form({.class_name = "TEnde", .client_width = 382, .client_height = 145, .stay_on_top = true}) {
  SetCaption("Setup abschließen");
}
