#pragma once

#include <string>

#include "ui/button.h"
#include "ui/directory_list.h"
#include "ui/drive_combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"

// The folder browser, shown modally over the destination directory page.
// Only OK hands its path over to the destination directory.
class TSelectFolder : public ui::Form {
 public:
  TSelectFolder();

  // Shows the browser modally, starting at directory when it exists. True,
  // with the chosen path in directory, when the user left it with OK.
  bool Choose(std::string& directory);

 protected:
  // Starts at the destination directory when it exists, else where the list stood.
  void FormShow() override;

 private:
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void DriveChanged();
  void DirectoryChanged();

  std::string start_;
  ui::Label text_;
  ui::Edit path_;
  ui::DirectoryList directories_;
  ui::DriveComboBox drives_;
  ui::Button Button1;
  ui::Button Button2;
  ui::Button Button3;
};
