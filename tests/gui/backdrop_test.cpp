#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

fs::path ProgramDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char class_name[64] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (process == search->process && std::string(class_name) == "THaupt" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

TEST(Backdrop, OpensMaximizedAndEndsOnClose) {
  const fs::path medium = fs::temp_directory_path() / "stp-backdrop";
  fs::create_directories(medium);
  fs::copy_file(ProgramDirectory() / "Setup.exe", medium / "Setup.exe", fs::copy_options::overwrite_existing);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + (medium / "Setup.exe").string() + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             medium.string().c_str(), &startup, &process));

  Search search{process.dwProcessId, nullptr};
  for (int i = 0; i < 200 && !search.found; ++i) {
    Sleep(50);
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
  }
  ASSERT_NE(search.found, nullptr);
  EXPECT_TRUE(IsZoomed(search.found));

  PostMessageA(search.found, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  fs::remove_all(medium);
}

}  // namespace
