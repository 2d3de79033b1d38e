// The registry helpers: what they write, read and delete, and which failures
// they report in which words.
#include "system/registry.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include "driver/registry_values.h"
#include "setup/message_boxes.h"
#include "ui/application.h"
#include "window/script.h"

namespace {

using driver::SetRegistryString;
using driver::SetRegistryValue;

const HKEY kRoot = HKEY_LOCAL_MACHINE;
const std::string kBase = "Software\\StpRegistryTest";
const std::string kAccess = "Fehler: Fehler beim Zugriff auf die Systemregistrierung aufgetreten.";
const std::string kDeregister = "Fehler: Fehler beim Deregistrieren aufgetreten.";
const std::string kEntry = std::string(kUninstallListKey) + "StpProbe";

bool KeyExists(HKEY root, const std::string& key_path) {
  HKEY key;
  if (RegOpenKeyExA(root, key_path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string Value(const std::string& path, const char* name) {
  char data[256] = {};
  DWORD size = sizeof data;
  SHGetValueA(kRoot, path.c_str(), name, nullptr, data, &size);
  return data;
}

class Registry : public testing::Test {
 protected:
  Registry() {
    SHDeleteKeyA(kRoot, kBase.c_str());
    script_.AnswerMessageBoxes();
  }
  ~Registry() override {
    SHDeleteKeyA(kRoot, kBase.c_str());
    SHDeleteKeyA(kRoot, kEntry.c_str());
  }

  ui::Application app_{GetModuleHandleA(nullptr)};
  Script script_;
  // Failures show their boxes, as in an interactive run.
  MessageBoxes boxes_;
};

TEST_F(Registry, WritesAndReadsStringsAndReportsFailures) {
  const std::string key = kBase + "\\Firma\\Planer\\2.0a";
  // Before any installation: nothing to read, but the key is there afterwards.
  EXPECT_EQ(ReadRegString(kRoot, key, "Ort", boxes_), "");
  EXPECT_TRUE(KeyExists(kRoot, key));
  EXPECT_TRUE(WriteRegString(kRoot, key, "Ort", "C:\\Programme\\Firma Planer\\", boxes_));
  EXPECT_EQ(ReadRegString(kRoot, key, "Ort", boxes_), "C:\\Programme\\Firma Planer\\");
  SetRegistryValue(kRoot, key, "Pfad", REG_EXPAND_SZ, std::string("%WINDIR%\\x") + '\0');
  EXPECT_EQ(ReadRegString(kRoot, key, "Pfad", boxes_), "%WINDIR%\\x");
  // A string stored without its closing zero.
  SetRegistryValue(kRoot, key, "Roh", REG_SZ, "abc");
  EXPECT_EQ(ReadRegString(kRoot, key, "Roh", boxes_), "abc");
  EXPECT_TRUE(script_.Messages().empty());

  // Failures are reported, and the caller carries on.
  driver::SetRegistryInteger(kRoot, key, "Zahl", 7);
  EXPECT_EQ(ReadRegString(kRoot, key, "Zahl", boxes_), "");
  const auto no_root = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345678));
  EXPECT_FALSE(WriteRegString(no_root, "Software\\X", "Ort", "C:\\", boxes_));
  // A key that cannot be opened reads as empty, without a message.
  EXPECT_EQ(ReadRegString(no_root, "Software\\X", "Ort", boxes_), "");
  EXPECT_FALSE(DeleteRegKey(no_root, "Software\\X", boxes_));
  EXPECT_EQ(script_.Messages(), (std::vector<std::string>{kAccess, kAccess, kAccess}));
}

TEST_F(Registry, DeletesKeysAndTheUninstallEntryWithTheirSubkeys) {
  const std::string product = kBase + "\\Firma\\Planer";
  SetRegistryString(kRoot, product + "\\2.0\\Teil\\Tiefer", "x", "1");
  SetRegistryString(kRoot, product + "\\1.0", "x", "1");
  EXPECT_TRUE(DeleteRegKey(kRoot, product + "\\2.0", boxes_));
  EXPECT_FALSE(KeyExists(kRoot, product + "\\2.0"));
  EXPECT_TRUE(KeyExists(kRoot, product + "\\1.0"));
  EXPECT_TRUE(DeleteRegKey(kRoot, product + "\\Nie", boxes_));
  EXPECT_TRUE(script_.Messages().empty());

  // An empty part (an empty EVersion, say) would name the key above.
  EXPECT_FALSE(DeleteRegKey(kRoot, product + "\\", boxes_));
  EXPECT_FALSE(DeleteRegKey(kRoot, kBase + "\\\\Planer\\1.0", boxes_));
  EXPECT_TRUE(KeyExists(kRoot, product + "\\1.0"));
  EXPECT_EQ(script_.Messages(), (std::vector<std::string>{kAccess, kAccess}));

  EXPECT_TRUE(RegisterUninstall("StpProbe", "Stp Probe 1.0", "C:\\Alt\\Setup\\LAUNCHER.EXE", boxes_));
  EXPECT_TRUE(RegisterUninstall("StpProbe", "Stp  1.0", "C:\\Programme\\Firma Planer\\Setup\\LAUNCHER.EXE", boxes_));
  EXPECT_EQ(Value(kEntry, "DisplayName"), "Stp  1.0");
  EXPECT_EQ(Value(kEntry, "UninstallString"), "C:\\Programme\\Firma Planer\\Setup\\LAUNCHER.EXE");

  // An empty entry name would name the list of every product's entries.
  EXPECT_FALSE(RegisterUninstall("", "  ", "Setup\\LAUNCHER.EXE", boxes_));
  EXPECT_FALSE(DeregisterUninstall("", boxes_));
  EXPECT_EQ(Value(kUninstallListKey, "DisplayName"), "");
  EXPECT_TRUE(KeyExists(kRoot, kEntry));
  EXPECT_EQ(script_.Messages(), (std::vector<std::string>{kAccess, kAccess, kAccess, kDeregister}));

  SetRegistryString(kRoot, kEntry + "\\Unter", "x", "1");
  EXPECT_TRUE(DeregisterUninstall("StpProbe", boxes_));
  EXPECT_FALSE(KeyExists(kRoot, kEntry));
  EXPECT_TRUE(DeregisterUninstall("StpProbe", boxes_));
  EXPECT_EQ(script_.Messages().size(), 4u);
}

}  // namespace
