#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "new_files.h"
#include "port/file_system.h"

namespace stptool {

// Writes the setup data, the compressed images one after another, as one
// Setup.stp or as volumes Setup1.stp, Setup2.stp, ...: the first of the
// given size, every later one exactly SetupDataReader::kLaterVolumeSize
// bytes but the last. A volume is begun only for a byte that needs it.
class SetupDataWriter {
 public:
  // first_volume_size 0 writes Setup.stp into folder(1); otherwise volume k
  // goes into folder(k), which is created when missing.
  SetupDataWriter(std::function<std::string(int)> folder, std::int64_t first_volume_size, NewFiles& files);

  void Append(std::span<const std::uint8_t> bytes);
  // Closes the last volume. Setup data without any byte is an empty
  // Setup.stp or Setup1.stp.
  void Finish();

  std::int64_t Size() const { return size_; }
  // 0 for Setup.stp.
  int Volumes() const { return first_volume_size_ == 0 ? 0 : volumes_; }

 private:
  void BeginVolume();

  std::function<std::string(int)> folder_;
  std::int64_t first_volume_size_;
  NewFiles& files_;
  stp::port::File current_;
  int volumes_ = 0;
  std::int64_t room_ = 0;  // bytes the current volume still takes
  std::int64_t size_ = 0;
};

}  // namespace stptool
