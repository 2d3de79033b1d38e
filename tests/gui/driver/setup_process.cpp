#include "driver/setup_process.h"

#include <shlwapi.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "driver/driver.h"

namespace driver {

namespace {

namespace fs = std::filesystem;

constexpr int kBmpBytesPerPixel = 3;
constexpr int kBmpRowAlignment = 4;

std::string ProgramDirectory() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path().string();
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

template <typename T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// pixel(x, y) gives the colour of a pixel, top row first.
template <typename PixelFunction>
void WriteBitmap(const std::string& path, int width, int height, PixelFunction pixel) {
  const int row_size =
      (width * kBmpBytesPerPixel + kBmpRowAlignment - 1) / kBmpRowAlignment * kBmpRowAlignment;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + row_size * height;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom row first
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  std::string out;
  Put(out, file);
  Put(out, info);
  for (int y = height - 1; y >= 0; --y) {
    std::string row(row_size, '\0');
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = pixel(x, y);
      row[x * 3] = static_cast<char>(GetBValue(colour));
      row[x * 3 + 1] = static_cast<char>(GetGValue(colour));
      row[x * 3 + 2] = static_cast<char>(GetRValue(colour));
    }
    out += row;
  }
  WriteFile(path, out);
}

}  // namespace

void WriteBitmapFile(const std::string& path, int width, int height, COLORREF colour) {
  WriteBitmap(path, width, height, [colour](int, int) { return colour; });
}

void WriteScreenBitmap(const std::string& path, const RECT& area) {
  const int width = area.right - area.left;
  const std::vector<COLORREF> pixels = CaptureScreen(area);
  WriteBitmap(path, width, area.bottom - area.top,
              [&pixels, width](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; });
}

SetupProcess::SetupProcess(const std::string& name, const std::optional<std::string>& setup_inf,
                           std::optional<COLORREF> picture_colour) {
  const fs::path folder = fs::temp_directory_path() / ("stp-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  directory_ = folder.string() + "\\";
  fs::copy_file(fs::path(ProgramDirectory()) / "Setup.exe", folder / "Setup.exe");
  if (setup_inf) WriteFile(directory_ + "Setup.inf", *setup_inf);
  if (picture_colour) {
    WriteBitmapFile(directory_ + "setup.bmp", kPictureWidth, kPictureHeight, *picture_colour);
  }
}

SetupProcess::SetupProcess(std::string medium_directory)
    : directory_(std::move(medium_directory)), owns_directory_(false) {
  if (!directory_.empty() && directory_.back() != '\\') directory_ += '\\';
}

SetupProcess::~SetupProcess() {
  if (process_.hProcess) {
    if (Running()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  std::error_code ignored;
  if (owns_directory_) fs::remove_all(directory_, ignored);
}

bool SetupProcess::Start(const std::string& argument) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + directory_ + "Setup.exe\"";
  if (!argument.empty()) command += " " + argument;
  return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory_.c_str(),
                        &startup, &process_);
}

bool SetupProcess::WaitForExit() {
  return WaitForSingleObject(process_.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
}

bool SetupProcess::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD SetupProcess::ExitCode() const {
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

ProductKey::ProductKey(std::string organisation, const std::string& product, const std::string& eversion)
    : organisation_(std::move(organisation)),
      path_("Software\\" + organisation_ + "\\" + product + "\\" + eversion) {
  // Without an organisation the clean-up would take all of "Software" with it.
  if (organisation_.empty()) std::abort();
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + organisation_).c_str());
}

ProductKey::~ProductKey() { SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + organisation_).c_str()); }

void ProductKey::MarkInstalled(const std::string& directory) const {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, "Ort", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                 static_cast<DWORD>(directory.size() + 1));
  RegCloseKey(key);
}

bool ProductKey::Exists() const {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

namespace {

constexpr char kAppDefaultsKey[] = "Software\\Wine\\AppDefaults\\Setup.exe";
constexpr char kProcessorKey[] = "Hardware\\Description\\System\\CentralProcessor\\0";

HKEY OpenProcessorKey() {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProcessorKey, 0, KEY_ALL_ACCESS, &key);
  return key;
}

}  // namespace

ReportedWindows::ReportedWindows(const std::string& version) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaultsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 static_cast<DWORD>(version.size() + 1));
  RegCloseKey(key);
}

ReportedWindows::~ReportedWindows() { SHDeleteKeyA(HKEY_CURRENT_USER, kAppDefaultsKey); }

ProcessorValue::ProcessorValue(std::string name) : name_(std::move(name)) {
  HKEY key = OpenProcessorKey();
  DWORD size = 0;
  existed_ = RegQueryValueExA(key, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
  if (existed_) {
    saved_.resize(size);
    RegQueryValueExA(key, name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(saved_.data()), &size);
    if (type_ == REG_SZ) saved_text_ = saved_.c_str();
    if (type_ == REG_DWORD && size == sizeof(DWORD)) {
      saved_text_ = std::to_string(*reinterpret_cast<const DWORD*>(saved_.data()));
    }
  }
  RegCloseKey(key);
}

ProcessorValue::~ProcessorValue() {
  HKEY key = OpenProcessorKey();
  if (existed_) {
    RegSetValueExA(key, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(saved_.data()),
                   static_cast<DWORD>(saved_.size()));
  } else {
    RegDeleteValueA(key, name_.c_str());
  }
  RegCloseKey(key);
}

void ProcessorValue::SetString(const std::string& value) const {
  HKEY key = OpenProcessorKey();
  RegSetValueExA(key, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

void ProcessorValue::SetInteger(DWORD value) const {
  HKEY key = OpenProcessorKey();
  RegSetValueExA(key, name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

void ProcessorValue::Remove() const {
  HKEY key = OpenProcessorKey();
  RegDeleteValueA(key, name_.c_str());
  RegCloseKey(key);
}

}  // namespace driver
