#include "ui/drive_caption.h"

namespace ui {

namespace {

unsigned char UpperOf(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - ('a' - 'A');
  // Latin-1 letters 0xE0..0xFE lie 0x20 above their capitals; 0xF7 is the division sign.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  // The Windows-1252 additions: š, œ, ž and ÿ.
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
  }
  return c;
}

std::string Bracketed(const std::optional<std::string>& volume_name) {
  return volume_name ? " [" + *volume_name + "]" : "";
}

}  // namespace

std::string AnsiUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(UpperOf(static_cast<unsigned char>(c)));
  return text;
}

std::string DriveCaption(char letter, DriveKind kind, const std::optional<std::string>& volume_name,
                         const std::optional<std::string>& network_path) {
  std::string caption = std::string(1, letter) + ":";
  switch (kind) {
    case DriveKind::kRemovable: break;
    case DriveKind::kFixed:
    case DriveKind::kCdRom:
    case DriveKind::kRamDisk: caption += Bracketed(volume_name); break;
    case DriveKind::kNetwork:
      caption += network_path && !network_path->empty() ? " " + *network_path : Bracketed(volume_name);
      break;
  }
  return AnsiUpper(caption);
}

}  // namespace ui
