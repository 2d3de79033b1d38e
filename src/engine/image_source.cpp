#include "engine/image_source.h"

#include <algorithm>

namespace stp {

ImageSource::ImageSource(SetupDataReader& reader, InstallHost& host) : reader_(reader), host_(host) {}

bool ImageSource::Open(std::int32_t offset, std::int32_t length) {
  reader_.Open();
  BytesLeft = 0;
  // An empty image needs no byte of the setup data, so it must not ask for a
  // next volume: the data may end exactly where a volume ends.
  if (length > 0 && !reader_.PositionAt(offset)) return false;
  BytesLeft = length;
  return true;
}

void ImageSource::Decode(const StreamDecoder::Push& sink) {
  decoder_.Decode([this](std::uint8_t* DTA, std::size_t NBytes) { return LZHCGetBytes(DTA, NBytes); },
                  [this, &sink](const std::uint8_t* DTA, std::size_t NBytes) {
                    host_.ProcessMessages();
                    sink(DTA, NBytes);
                    host_.Advance(static_cast<std::uint32_t>(NBytes));
                  });
}

void ImageSource::Close() { reader_.Close(); }

std::size_t ImageSource::LZHCGetBytes(std::uint8_t* DTA, std::size_t NBytes) {
  host_.ProcessMessages();
  if (host_.CancelConfirmed() || BytesLeft == 0) return 0;
  const auto want = std::min<std::size_t>(NBytes, static_cast<std::size_t>(BytesLeft));
  const std::size_t got = reader_.ReadAcross(DTA, want);
  BytesLeft -= static_cast<std::int32_t>(got);
  return got;
}

}  // namespace stp
