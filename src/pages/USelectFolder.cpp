#include "pages/USelectFolder.h"

#include <winnetwk.h>

#include "port/directory_path.h"
#include "port/file_system.h"

TSelectFolder::TSelectFolder()
    : ui::Form({.class_name = "TSelectFolder", .client_width = 318, .client_height = 260}),
      text_(*this, {8, 8, 0, 0}, "Wählen Sie das Zielverzeichnis für die Installation."),
      path_(*this, {16, 40, 209, 21}),
      directories_(*this, {16, 64, 209, 161}),
      drives_(*this, {16, 230, 209, 19}),
      Button1(*this, {232, 48, 81, 21}, "OK"),
      Button2(*this, {232, 72, 81, 21}, "Abbrechen"),
      Button3(*this, {232, 104, 81, 21}, "Netzwerk") {
  SetCaption("Zielverzeichnis wählen");
  text_.SetAutoSize(true);
  directories_.OnChange([this] { DirectoryChanged(); });
  drives_.OnChange([this] { DriveChanged(); });
  Button1.OnClick([this] { Button1Click(); });
  Button2.OnClick([this] { Button2Click(); });
  Button3.OnClick([this] { Button3Click(); });
  SetActiveControl(&directories_);
}

bool TSelectFolder::Choose(std::string& directory) {
  start_ = directory;
  if (ShowModal() != ui::ModalResult::kOk) return false;
  directory = path_.Text();
  return true;
}

void TSelectFolder::FormShow() {
  // "C:" stands for the root here, as Next reads it, not for the drive's current directory.
  const std::string destination = stp::WithTrailingBackslash(start_);
  if (stp::IsFullPath(destination) && stp::port::DirectoryExists(destination)) {
    directories_.SetDirectory(destination);
  } else if (directories_.Directory().empty()) {
    directories_.SetDirectory(".");
  }
  path_.SetText(directories_.Directory());
  drives_.SetDrive(directories_.Drive());
}

void TSelectFolder::Button1Click() { SetModalResult(ui::ModalResult::kOk); }

void TSelectFolder::Button2Click() { SetModalResult(ui::ModalResult::kCancel); }

void TSelectFolder::Button3Click() {
  // Whatever the user connects, the lists are not refreshed.
  WNetConnectionDialog(Handle(), RESOURCETYPE_DISK);
}

void TSelectFolder::DriveChanged() {
  directories_.SetDrive(drives_.Drive());
  DirectoryChanged();
}

void TSelectFolder::DirectoryChanged() { path_.SetText(directories_.Directory()); }
