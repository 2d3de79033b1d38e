#include "setup_data_writer.h"

#include <algorithm>
#include <limits>

#include "engine/setup_data_reader.h"

namespace stptool {

SetupDataWriter::SetupDataWriter(std::function<std::string(int)> folder, std::int64_t first_volume_size,
                                 NewFiles& files)
    : folder_(std::move(folder)), first_volume_size_(first_volume_size), files_(files) {}

void SetupDataWriter::BeginVolume() {
  current_.Close();
  ++volumes_;
  const std::string folder = folder_(volumes_);
  files_.MakeFolder(folder);
  if (first_volume_size_ == 0) {
    current_ = files_.Create(folder + "Setup.stp");
    room_ = std::numeric_limits<std::int64_t>::max();
  } else {
    current_ = files_.Create(folder + "Setup" + std::to_string(volumes_) + ".stp");
    room_ = volumes_ == 1 ? first_volume_size_ : stp::SetupDataReader::kLaterVolumeSize;
  }
}

void SetupDataWriter::Append(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    if (volumes_ == 0 || room_ == 0) BeginVolume();
    const auto count =
        static_cast<std::size_t>(std::min<std::int64_t>(room_, static_cast<std::int64_t>(bytes.size())));
    current_.Write(bytes.data(), count);
    room_ -= static_cast<std::int64_t>(count);
    size_ += static_cast<std::int64_t>(count);
    bytes = bytes.subspan(count);
  }
}

void SetupDataWriter::Finish() {
  if (volumes_ == 0) BeginVolume();
  current_.Close();
}

}  // namespace stptool
