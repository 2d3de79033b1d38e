#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/install_host.h"
#include "engine/setup_data_reader.h"
#include "engine/stream_decoder.h"

namespace stp {

// Decodes the compressed images of the setup data one at a time: the reader
// is positioned at an image, the codec pulls exactly the image's bytes (the
// byte budget), crossing to the next volume where one ends, and every
// decoded block is handed on. Window messages are processed once per block
// each way, and a confirmed cancel ends the image at its next read request.
class ImageSource {
 public:
  ImageSource(SetupDataReader& reader, InstallHost& host);

  // Opens the current volume at the start of the image of length compressed
  // bytes at offset. False when the image starts on the next volume and its
  // diskette prompt ended without it.
  bool Open(std::int32_t offset, std::int32_t length);
  // Decodes the open image. Each decoded block goes to sink, then the host's
  // gauge advances by its size. Throws, once the codec has returned, the
  // first failure of reading the setup data or of sink.
  void Decode(const StreamDecoder::Push& sink);
  // Closes the volume; it is opened again for the next image.
  void Close();

 private:
  std::size_t LZHCGetBytes(std::uint8_t* DTA, std::size_t NBytes);

  SetupDataReader& reader_;
  InstallHost& host_;
  StreamDecoder decoder_;
  // Compressed bytes of the open image not yet handed to the codec.
  std::int32_t BytesLeft = 0;
};

}  // namespace stp
