#include "ui/drive_caption.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ui {
namespace {

TEST(DriveCaption, NamesEachKindOfDrive) {
  const std::optional<std::string> none;
  const struct {
    char letter;
    DriveKind kind;
    std::optional<std::string> volume;
    std::optional<std::string> remote;
    const char* caption;
  } cases[] = {
      {'A', DriveKind::kRemovable, "Disk", none, "A:"},
      {'c', DriveKind::kFixed, "System", none, "C: [SYSTEM]"},
      {'C', DriveKind::kFixed, "", none, "C: []"},
      {'D', DriveKind::kCdRom, none, none, "D:"},  // no medium
      {'E', DriveKind::kCdRom, "cd-rom", none, "E: [CD-ROM]"},
      {'R', DriveKind::kRamDisk, "ram", none, "R: [RAM]"},
      {'N', DriveKind::kNetwork, "daten", "\\\\server\\share", "N: \\\\SERVER\\SHARE"},
      {'N', DriveKind::kNetwork, "daten", none, "N: [DATEN]"},
      {'N', DriveKind::kNetwork, "daten", "", "N: [DATEN]"},
      {'N', DriveKind::kNetwork, none, none, "N:"},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(DriveCaption(row.letter, row.kind, row.volume, row.remote), row.caption) << row.caption;
  }
}

TEST(DriveCaption, CapitalsIncludeTheWindows1252Letters) {
  EXPECT_EQ(AnsiUpper("Lösungen für Ärzte"), "LÖSUNGEN FÜR ÄRZTE");
  EXPECT_EQ(AnsiUpper("straße"), "STRAßE");  // ß has no capital here
  EXPECT_EQ(AnsiUpper("šœžÿ"), "ŠŒŽŸ");
  EXPECT_EQ(AnsiUpper("÷ 1-9 [x]"), "÷ 1-9 [X]");
}

}  // namespace
}  // namespace ui
