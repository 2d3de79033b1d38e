#pragma once

#include "engine/system_services.h"

// The current user's folders as the registry and the shell know them.
class UserShellFolders : public stp::ShellFolders {
 public:
  // The value "Programs" of the user's Shell Folders key (opened without
  // creating it); when it is missing or empty, the shell's own answer.
  std::string ProgramsFolder() override;
  // The value "Desktop", found the same way.
  std::string DesktopFolder() override;
  // GetWindowsDirectoryA.
  std::string WindowsDirectory() override;
};
