#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "lzh/lzh_format.h"
#include "lzh/lzh_tree.h"

namespace stp {

// Leaves the decoding loop at the end of a stream; the codec component
// catches it, so it never reaches a caller of the component.
class ECompress : public std::runtime_error {
 public:
  ECompress() : std::runtime_error("") {}
};

namespace lzh {

// Where a decode run takes its bytes from and puts its output. The decoder
// works in the current input and output blocks directly and calls ReadByte
// and WriteByte only when one of them is used up.
class DecoderIo {
 public:
  // The unread rest of the input block.
  const std::uint8_t* in_next = nullptr;
  const std::uint8_t* in_end = nullptr;
  // The free rest of the output block.
  std::uint8_t* out_next = nullptr;
  std::uint8_t* out_end = nullptr;

  // Called when in_next == in_end: the next byte, or false when the source
  // has none. May set a new input block.
  virtual bool ReadByte(std::uint8_t& byte) = 0;
  // Called when out_next == out_end. May set a new output block.
  virtual void WriteByte(std::uint8_t byte) = 0;

 protected:
  ~DecoderIo() = default;
};

// Decodes streams, one per Run. The bytes it requests from its source, and
// the moments it requests them, are those of a reader that takes one byte
// whenever fewer than 8 bits are pending; this matters at the end of a
// stream, which is recognised from the source running dry.
class LzhDecoder {
 public:
  // Decodes one stream from its start and ends by throwing ECompress.
  // Exceptions of io pass through.
  [[noreturn]] void Run(DecoderIo& io);

 private:
  void Reset();
  void DecodeFast(DecoderIo& io);
  void DecodeOneCarefully(DecoderIo& io);
  unsigned DecodeSymbolCarefully(DecoderIo& io);
  unsigned DecodePositionCarefully(DecoderIo& io);
  void Fill(DecoderIo& io);
  unsigned ReadBit(DecoderIo& io);
  unsigned ReadEightBits(DecoderIo& io);
  void Put(DecoderIo& io, std::uint8_t byte);
  bool InputEnded() const { return source_dry_ && bits_ == 0; }
  [[noreturn]] void EndStream();

  LzhTree tree_;
  std::array<std::uint8_t, kDictionarySize> dictionary_;
  unsigned write_position_ = kDictionaryStart;
  // Pending input bits, left-aligned; the bits below the pending ones are 0
  // except during DecodeFast.
  std::uint64_t bits_ = 0;
  unsigned bit_count_ = 0;
  // Set the first time the source has no byte to give; every later request
  // asks the source again.
  bool source_dry_ = false;
};

}  // namespace lzh
}  // namespace stp
