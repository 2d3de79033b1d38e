// The Win32 adapters an installation run writes through, where the
// scenarios do not reach: shortcuts that cannot be made and the user's
// folders without a value.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "driver/installed.h"
#include "driver/setup_process.h"
#include "installation.h"
#include "system/shell_folders.h"
#include "system/shell_links.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own below the temporary directory, ending in "\".
struct Folder {
  explicit Folder(const std::string& name) : path(driver::SetupProcess::MediumDirectory(name)) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string path;
};

// Path and working directory as given; the component library is set up
// afresh for each shortcut. What cannot be made is missing, and nothing is
// thrown.
TEST(SystemServices, ShellLinkWriterSavesOrLeavesNothing) {
  Folder folder("links");
  const std::string target = folder.path + "Programm.exe";
  std::ofstream(target) << "MZ";
  const std::string too_long(999, 'x');
  const struct {
    const char* name;
    std::string target;
    std::string working_directory;
    std::string link_file;
    bool made;
  } cases[] = {
      {"plain", target, folder.path.substr(0, folder.path.size() - 1), folder.path + "Programm.lnk", true},
      {"drive root", "C:\\Programm.exe", "C:\\", folder.path + "Wurzel.lnk", true},
      {"folder missing", target, "C:\\", folder.path + "fehlt\\Programm.lnk", false},
      {"target too long", "C:\\" + too_long, "C:\\", folder.path + "Lang.lnk", false},
      {"directory too long", target, "C:\\" + too_long, folder.path + "Lang.lnk", false},
      {"link file too long", target, "C:\\", folder.path + too_long + ".lnk", false},
  };
  ShellLinkWriter writer;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    writer.SaveShellLink(row.target, row.working_directory, row.link_file);
    if (row.made) {
      EXPECT_EQ(driver::ReadShortcut(row.link_file), (driver::Shortcut{row.target, row.working_directory}));
    } else {
      EXPECT_FALSE(fs::exists(row.link_file));
    }
  }
}

// A folder value that is missing or empty would put shortcuts and desktop
// files at the root of the current drive; the shell's folder takes its place.
TEST(SystemServices, ShellFoldersAskTheShellWithoutAValue) {
  const struct {
    const char* name;
    std::optional<std::string> value;
    bool from_shell;
  } cases[] = {
      {"value", "C:\\Eigene Programme", false},
      {"empty", "", true},
      {"missing", std::nullopt, true},
  };
  UserShellFolders folders;
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    for (const auto& [value_name, csidl] :
         {std::pair{"Programs", CSIDL_PROGRAMS}, std::pair{"Desktop", CSIDL_DESKTOPDIRECTORY}}) {
      SCOPED_TRACE(value_name);
      const std::string shell = scenario::ShellFolder(csidl);
      const scenario::ShellFolderValue value(scenario::kShellFolders, value_name, row.value);
      const std::string found =
          std::string(value_name) == "Programs" ? folders.ProgramsFolder() : folders.DesktopFolder();
      EXPECT_EQ(found, row.from_shell ? shell : *row.value);
      EXPECT_FALSE(found.empty());
    }
  }
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(folders.WindowsDirectory(), windows);
}

}  // namespace
