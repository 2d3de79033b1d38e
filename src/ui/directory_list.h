#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// The directories around the current one: its ancestors from the drive's
// root down, then its subdirectories, each with a folder symbol. Opening a
// row (double-click) makes it the current directory.
class DirectoryList : public Control {
 public:
  DirectoryList(Window& parent, const Bounds& bounds);

  // Lists around a directory; a trailing "\" and "." or ".." are taken as
  // the system takes them.
  void SetDirectory(const std::string& directory);
  // A drive's root ends in "\", other directories do not; empty until set.
  const std::string& Directory() const { return directory_; }
  // Switches to a drive: to the directory last shown on it, else to the one
  // the system keeps as current for it.
  void SetDrive(char letter);
  // The drive letter of the current directory; 0 for a network path.
  char Drive() const;
  // Runs when the user opens another directory.
  void OnChange(std::function<void()> handler) { on_change_ = std::move(handler); }

 protected:
  void Notify(WORD code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  struct Row {
    std::string path;
    std::string name;
    int depth;
    bool open;
  };

  void Fill();

  std::string directory_;
  std::vector<Row> rows_;
  std::map<char, std::string> drive_directories_;
  std::function<void()> on_change_;
};

}  // namespace ui
