#pragma once

#include "ui/form.h"

// The finish dialog, shown modally at the end of a successful installation.
class TEnde : public ui::Form {
 public:
  TEnde();
};
