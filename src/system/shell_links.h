#pragma once

#include "engine/system_services.h"

// Makes shortcut files through the shell link object and its persist-file
// interface.
class ShellLinkWriter : public stp::ShortcutWriter {
 public:
  // Sets the path and the working directory, nothing else, and saves the
  // shortcut as link_file. Nothing is reported: what cannot be made is
  // missing. A target or working directory of more than 999 characters, or
  // a link_file of more than 998 UTF-16 code units, makes no shortcut
  // rather than one cut short, which would start or lie somewhere else.
  void SaveShellLink(const std::string& target, const std::string& working_directory,
                     const std::string& link_file) override;
};
