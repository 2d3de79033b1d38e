#include "engine/content_check.h"

#include <zlib.h>

#include <cstdio>

namespace stp {
namespace {

std::string Hex(std::uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
  return text;
}

std::string GermanPlace(const ImageVolumes& v) {
  if (v.first_disk == 0) return "in " + v.first_path;
  if (v.first_disk == v.last_disk) {
    return "auf der Installationsdiskette " + std::to_string(v.first_disk) + " (" + v.first_path + ")";
  }
  return "auf den Installationsdisketten " + std::to_string(v.first_disk) + " bis " +
         std::to_string(v.last_disk) + " (" + v.first_path + " bis " + v.last_path + ")";
}

std::string EnglishPlace(const ImageVolumes& v) {
  if (v.first_disk == 0) return "in '" + v.first_path + "'";
  if (v.first_disk == v.last_disk) {
    return "in volume " + std::to_string(v.first_disk) + " ('" + v.first_path + "')";
  }
  return "in volumes " + std::to_string(v.first_disk) + " to " + std::to_string(v.last_disk) + " ('" +
         v.first_path + "' to '" + v.last_path + "')";
}

}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32_z(crc, data, size));
}

bool ContentCheck::Add(const std::uint8_t* data, std::size_t size) {
  if (Overran()) return false;
  size_ += size;
  if (!stored_) return true;
  if (Overran()) return false;
  crc_ = Crc32(crc_, data, size);
  return true;
}

bool ContentCheck::Matches() const { return !stored_ || (size_ == stored_->size && crc_ == stored_->crc); }

namespace {

std::string Found(const ContentCheck& check) {
  if (check.Overran()) return "more than " + std::to_string(check.Stored()->size) + " bytes";
  return std::to_string(check.Size()) + " bytes with CRC-32 " + Hex(check.Crc());
}

std::string StoredText(const ContentCheck& check) {
  const FileCheck stored = check.Stored().value_or(FileCheck{});
  return std::to_string(stored.size) + " bytes with CRC-32 " + Hex(stored.crc);
}

}  // namespace

DamagedFileError::DamagedFileError(const std::string& file, const ImageVolumes& volumes,
                                   const ContentCheck& check)
    : Error("Die Daten der Datei " + file + " " + GermanPlace(volumes) +
                " sind beschädigt, die Installation wird abgebrochen",
            "'" + file + "' is damaged: its data " + EnglishPlace(volumes) + " decode to " + Found(check) +
                ", where Setup.inf has " + StoredText(check),
            "decoded " + Found(check) + "; stored " + StoredText(check)) {}

}  // namespace stp
