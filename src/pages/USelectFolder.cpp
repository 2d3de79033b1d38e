#include "pages/USelectFolder.h"

TSelectFolder::TSelectFolder()
    : ui::Form({.class_name = "TSelectFolder", .client_width = 318, .client_height = 260}) {
  SetCaption("Zielverzeichnis wählen");
}
