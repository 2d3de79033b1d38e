#pragma once

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "driver/installed.h"
#include "driver/medium.h"
#include "scenario.h"

// Shared pieces of the installation scenarios: products packed by stptool,
// the walk through the wizard, and what an installation leaves behind.
namespace scenario {

inline constexpr char kUninstallList[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// Long enough for Wine to decode a few megabytes on a busy machine.
constexpr DWORD kRunTimeoutMs = 120000;

// Deterministic bytes that do not compress, so that a small product still
// fills diskette volumes.
inline std::string NoiseBytes(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    seed = seed * 1664525u + 1013904223u;
    byte = static_cast<char>(seed >> 24);
  }
  return bytes;
}

// Text that compresses well, a few kilobytes.
inline std::string ProseBytes(int lines) {
  std::string text;
  for (int line = 0; line < lines; ++line) {
    text += "Zeile " + std::to_string(line) + ": Der Text wird installiert, wie er geschrieben steht.\r\n";
  }
  return text;
}

// A file time whose low half is 2^31 or more, so that Setup.inf writes it
// as a negative number; each file of a product gets its own.
inline std::uint64_t StoredTime(int index) { return 0x01C9A2B3'9F000000ull + index * 36'000'000'000ull; }

struct Installed {
  std::string source;  // below the product folder
  std::string target;  // as the file table names it
  std::string content;
};

// A small file, one of big_size bytes that do not compress, a small file.
inline std::vector<Installed> SmallBigSmall(std::size_t big_size, std::uint32_t seed) {
  return {{"klein.txt", "klein.txt", ProseBytes(20)},
          {"gross.bin", "gross.bin", NoiseBytes(big_size, seed)},
          {"danach.txt", "danach.txt", ProseBytes(5)}};
}

// The identity of a scenario's product and where it goes.
struct ProductName {
  std::string organisation;
  std::string product;
  std::string version;

  std::string Title() const { return organisation + " " + product + " " + version; }
  std::string Key() const { return "Software\\" + organisation + "\\" + product + "\\" + version; }
  std::string EntryName() const { return organisation + product + version; }
  // What Setup proposes without DefDirectory, with the "\" Next adds.
  std::string Destination() const { return "C:\\Programme\\" + organisation + " " + product + "\\"; }
};

inline stptool::ProductDescription Description(
    const ProductName& name, bool restart, const std::vector<Installed>& files,
    const std::vector<std::pair<std::string, std::string>>& links) {
  stptool::ProductDescription description{name.product, {}, {}, {}};
  description.general = {{"Organisation", name.organisation},
                         {"Product", name.product},
                         {"Version", name.version},
                         {"EVersion", name.version},
                         {"RebootSystem", restart ? "1" : "0"}};
  for (std::size_t i = 0; i < files.size(); ++i) {
    description.files.push_back({static_cast<int>(i + 1), files[i].source, false, files[i].target});
  }
  for (std::size_t i = 0; i < links.size(); ++i) {
    description.links.push_back({static_cast<int>(i + 1), links[i].first, links[i].second});
  }
  return description;
}

inline std::vector<driver::ProductFile> SourceFiles(const std::vector<Installed>& files) {
  std::vector<driver::ProductFile> sources;
  for (std::size_t i = 0; i < files.size(); ++i) {
    sources.push_back({files[i].source, files[i].content, StoredTime(static_cast<int>(i))});
  }
  return sources;
}

// Nothing of an earlier installation of the product: no destination, no
// product key, no uninstall entry. Made before and after a scenario, so
// that a product never counts as installed in the next one.
struct FreshProduct {
  explicit FreshProduct(ProductName product) : name(std::move(product)) { Forget(); }
  ~FreshProduct() { Forget(); }
  void Forget() const {
    std::error_code ignored;
    std::filesystem::remove_all(name.Destination(), ignored);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, ("Software\\" + name.organisation).c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kUninstallList + name.EntryName()).c_str());
  }
  ProductName name;
};

inline constexpr char kUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A value of one of the user's folder keys set (or, with none, deleted) for
// as long as the object lives. Wine's shell writes the Shell Folders key
// anew from User Shell Folders whenever it is asked for a folder, so a
// folder that is to stay moved is set in both.
class ShellFolderValue {
 public:
  ShellFolderValue(const char* key, std::string name, const std::optional<std::string>& value)
      : key_(key), name_(std::move(name)), old_(driver::RegistryString(HKEY_CURRENT_USER, key_, name_)) {
    Set(value);
  }
  ~ShellFolderValue() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) const {
    if (value) {
      driver::SetRegistryString(HKEY_CURRENT_USER, key_, name_, *value);
    } else {
      SHDeleteValueA(HKEY_CURRENT_USER, key_, name_.c_str());
    }
  }

  const char* key_;
  std::string name_;
  std::optional<std::string> old_;
};

// A folder the shell knows, as SHGetFolderPathA gives it.
inline std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// From the welcome page to the installation page, taking the proposed
// destination and answering "&Ja" when Setup asks to create it.
inline HWND StartInstallation(const driver::SetupProcess& setup) {
  HWND destination = WalkTo(setup, "TVerzeichnis");
  if (!destination) return nullptr;
  driver::ClickButton(destination, "&Weiter >");
  HWND installation = nullptr;
  driver::WaitFor([&] {
    if (HWND box = driver::FindWindowOf(setup.Id(), "TMessageForm")) driver::ClickButton(box, "&Ja");
    return (installation = driver::FindWindowOf(setup.Id(), "TInstallation")) != nullptr;
  });
  return installation;
}

inline HWND WaitLongForWindow(DWORD process, const std::string& class_name,
                              const std::optional<std::string>& caption = {}) {
  HWND found = nullptr;
  driver::WaitFor([&] { return (found = driver::FindWindowOf(process, class_name, caption)) != nullptr; },
                  kRunTimeoutMs);
  return found;
}

// The installation page's own controls, below the page frame: Panel1 on
// top of Label1, Label6, Label3 and the gauge in its lowered panel.
inline void ExpectInstallationPage(HWND page, bool panel_shown, const std::string& disk,
                                   const std::string& target, const std::optional<std::string>& percent) {
  std::vector<layout::Placed> controls = {
      {"", {16, 18, 121, 260}},          {"", {1, 1, 119, 258}},
      {"", {16, 280, 440, 15}},          {"< &Zurück", {175, 304, 81, 21}},
      {"&Weiter >", {256, 304, 81, 21}}, {"Abbrechen", {375, 304, 81, 21}}};
  if (panel_shown) controls.push_back({"Setup aktualisiert Ihr System...", {152, 160, 305, 121}});
  const std::vector<layout::Placed> own = {{"Die Installation läuft. ", {152, 16, 169, 17}},
                                           {disk, {152, 206, 313, 13}},
                                           {target, {152, 230, 305, 19}},
                                           {"", {152, 256, 304, 21}},
                                           {percent, {1, 1, 302, 19}}};
  controls.insert(controls.end(), own.begin(), own.end());
  layout::ExpectLayout(page, {472, 333}, controls, "");
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "< &Zurück").handle));
  EXPECT_FALSE(IsWindowEnabled(driver::ControlByText(page, "&Weiter >").handle));
  EXPECT_TRUE(IsWindowEnabled(driver::ControlByText(page, "Abbrechen").handle));
  // Blue bar, yellow figures, until the panel covers them.
  if (panel_shown) return;
  const driver::Rect gauge{153, 257, 302, 19};
  if (percent != "0%") {
    EXPECT_TRUE(driver::AreaHasColour(page, gauge, RGB(0, 0, 255)));
  }
  EXPECT_TRUE(driver::AreaHasColour(page, gauge, RGB(255, 255, 0)));
}

// A damaged download: one byte in the middle of the second file's packed
// data in Setup.stp. Its checksum in Setup.inf tells.
inline void DamageSecondFile(const driver::Medium& medium) {
  const auto& second = medium.Packed().files[1];
  std::fstream data(medium.SetupDirectory() + "Setup.stp", std::ios::binary | std::ios::in | std::ios::out);
  data.seekg(second.offset + second.compressed_size / 2);
  const char byte = static_cast<char>(data.get() ^ 0x5A);
  data.seekp(second.offset + second.compressed_size / 2);
  data.put(byte);
}

// Whether the folder holds a file that a decode left beside its target.
inline bool HoldsUnfinishedFile(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind("~stp", 0) == 0) return true;
  }
  return false;
}

// The target the page shows (Label3).
inline std::string ShownTarget(HWND page) {
  for (const driver::Control& control : driver::ControlsOf(page)) {
    if (control.bounds.left == 152 && control.bounds.top == 230) return control.text;
  }
  return "<none>";
}

// The figure the gauge shows, or -1 when it shows none.
inline int GaugePercent(HWND page) {
  const std::string text = driver::TextOf(ControlOfClass(page, "TGauge"));
  if (text.size() < 2 || text.back() != '%') return -1;
  return std::stoi(text);
}

}  // namespace scenario
