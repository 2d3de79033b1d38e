#pragma once

#include "ui/form.h"

// The folder browser, shown modally over the destination directory page.
class TSelectFolder : public ui::Form {
 public:
  TSelectFolder();
};
