#include "support/medium.h"

#include <algorithm>
#include <random>
#include <span>

#include "engine/setup_data_reader.h"
#include "lzh/lzh_encoder.h"

namespace stp::test {
namespace {

std::vector<std::uint8_t> Encode(const std::string& content) {
  return LzhEncode(std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
}

}  // namespace

std::vector<std::size_t> ImageSizes(const std::vector<MediumFile>& files) {
  std::vector<std::size_t> sizes;
  for (const auto& file : files) sizes.push_back(Encode(file.content).size());
  return sizes;
}

FileTable WriteMedium(const TempDir& dir, const std::vector<MediumFile>& files,
                      std::int64_t first_volume_size) {
  std::string data;
  std::string inf = "[Files]\r\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    const auto image = Encode(files[i].content);
    inf += std::to_string(i + 1) + "=" + files[i].target + "," + std::to_string(data.size()) + "|" +
           files[i].time + "\r\n";
    data.append(image.begin(), image.end());
  }
  inf += "[General]\r\nNextOffset=" + std::to_string(data.size()) + "\r\n";
  dir.Write("Setup.inf", inf);

  if (first_volume_size == 0) {
    dir.Write("Setup.stp", data);
  } else {
    std::size_t start = 0;
    std::size_t size = static_cast<std::size_t>(first_volume_size);
    for (int volume = 1; volume == 1 || start < data.size(); ++volume) {
      dir.Write("Setup" + std::to_string(volume) + ".stp", data.substr(start, size));
      start += size;
      size = static_cast<std::size_t>(SetupDataReader::kLaterVolumeSize);
    }
  }
  return LoadFileTable(ProfileFile::Load(dir.Path() + "Setup.inf"));
}

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  std::generate(bytes.begin(), bytes.end(), [&random] { return static_cast<char>(random()); });
  return bytes;
}

}  // namespace stp::test
