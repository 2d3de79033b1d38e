// The registry helpers: what they write, read and delete, and which failures
// they report in which words.
#include "system/registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include "ui/application.h"
#include "window/script.h"

namespace {

constexpr char kBase[] = "Software\\StpRegistryTest";
constexpr char kAccessMessage[] = "Fehler beim Zugriff auf die Systemregistrierung aufgetreten.";
constexpr char kDeregisterMessage[] = "Fehler beim Deregistrieren aufgetreten.";

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

std::string Value(const std::string& path, const char* name) {
  char data[256] = {};
  DWORD size = sizeof data;
  SHGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, nullptr, data, &size);
  return data;
}

class Registry : public testing::Test {
 protected:
  Registry() {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kBase);
    script_.AnswerMessageBoxes();
  }
  ~Registry() override {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kBase);
    for (const char* entry : {"StpProbeEins", "StpProbeZwei"}) {
      SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kUninstallListKey) + entry).c_str());
    }
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : script_.MessageBoxes()) texts.push_back(box.caption + ": " + box.text);
    return texts;
  }

  ui::Application app_{GetModuleHandleA(nullptr)};
  Script script_;
};

TEST_F(Registry, WritesAndReadsStrings) {
  const std::string key = std::string(kBase) + "\\Firma\\Planer\\2.0a";
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "Ort"), "");
  EXPECT_TRUE(KeyExists(key));  // reading creates the key
  EXPECT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, key, "Ort", "C:\\Programme\\Firma Planer\\"));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "Ort"), "C:\\Programme\\Firma Planer\\");
  const char expandable[] = "%WINDIR%\\x";
  SetValue(key, "Pfad", REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "Pfad"), "%WINDIR%\\x");
  // A string stored without its closing zero.
  SetValue(key, "Roh", REG_SZ, "abc", 3);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "Roh"), "abc");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Registry, ReportsFailuresAndCarriesOn) {
  const std::string key = std::string(kBase) + "\\Typen";
  const DWORD number = 7;
  SetValue(key, "Zahl", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, key, "Zahl"), "");
  const auto no_root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345678));
  EXPECT_FALSE(WriteRegString(no_root, "Software\\X", "Ort", "C:\\"));
  // A key that cannot be opened reads as empty, without a message.
  EXPECT_EQ(ReadRegString(no_root, "Software\\X", "Ort"), "");
  EXPECT_FALSE(DeleteRegKey(no_root, "Software\\X"));
  EXPECT_EQ(Messages(), (std::vector<std::string>{std::string("Fehler: ") + kAccessMessage,
                                                  std::string("Fehler: ") + kAccessMessage,
                                                  std::string("Fehler: ") + kAccessMessage}));
}

TEST_F(Registry, DeletesKeysWithTheirSubkeysOnly) {
  const std::string product = std::string(kBase) + "\\Firma\\Planer";
  SetValue(product + "\\2.0\\Teil\\Tiefer", "x", REG_SZ, "1", 2);
  SetValue(product + "\\1.0", "x", REG_SZ, "1", 2);
  EXPECT_TRUE(DeleteRegKey(HKEY_LOCAL_MACHINE, product + "\\2.0"));
  EXPECT_FALSE(KeyExists(product + "\\2.0"));
  EXPECT_TRUE(KeyExists(product + "\\1.0"));
  EXPECT_TRUE(DeleteRegKey(HKEY_LOCAL_MACHINE, product + "\\Nie"));
  EXPECT_TRUE(Messages().empty());

  // An empty part (an empty EVersion, say) would name the key above.
  EXPECT_FALSE(DeleteRegKey(HKEY_LOCAL_MACHINE, product + "\\"));
  EXPECT_FALSE(DeleteRegKey(HKEY_LOCAL_MACHINE, std::string(kBase) + "\\\\Planer\\1.0"));
  EXPECT_TRUE(KeyExists(product + "\\1.0"));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(Registry, RegistersAndRemovesTheUninstallEntry) {
  const std::string entry = std::string(kUninstallListKey) + "StpProbeEins";
  EXPECT_TRUE(RegisterUninstall("StpProbeEins", "Stp Probe 1.0", "C:\\Alt\\Setup\\LAUNCHER.EXE"));
  EXPECT_TRUE(
      RegisterUninstall("StpProbeEins", "Stp  1.0", "C:\\Programme\\Firma Planer\\Setup\\LAUNCHER.EXE"));
  EXPECT_EQ(Value(entry, "DisplayName"), "Stp  1.0");
  EXPECT_EQ(Value(entry, "UninstallString"), "C:\\Programme\\Firma Planer\\Setup\\LAUNCHER.EXE");
  SetValue(entry + "\\Unter", "x", REG_SZ, "1", 2);
  EXPECT_TRUE(DeregisterUninstall("StpProbeEins"));
  EXPECT_FALSE(KeyExists(entry));
  EXPECT_TRUE(DeregisterUninstall("StpProbeZwei"));
  EXPECT_TRUE(Messages().empty());
}

// An empty entry name would name the list of every product's entries.
TEST_F(Registry, RefusesAnEmptyEntryName) {
  EXPECT_TRUE(RegisterUninstall("StpProbeZwei", "Stp Probe 2.0", "C:\\x"));
  EXPECT_FALSE(RegisterUninstall("", "  ", "Setup\\LAUNCHER.EXE"));
  EXPECT_FALSE(DeregisterUninstall(""));
  EXPECT_EQ(Value(kUninstallListKey, "DisplayName"), "");
  EXPECT_TRUE(KeyExists(std::string(kUninstallListKey) + "StpProbeZwei"));
  EXPECT_EQ(Messages(), (std::vector<std::string>{std::string("Fehler: ") + kAccessMessage,
                                                  std::string("Fehler: ") + kDeregisterMessage}));
}

}  // namespace
