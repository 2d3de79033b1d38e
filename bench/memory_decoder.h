#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

#include "lzh/Lzh_op.h"

// The codec component as the installer sets it up (32768-byte buffers),
// decoding streams held in memory into nothing: the decoder's own cost,
// without files.
class MemoryDecoder {
 public:
  static constexpr std::uint16_t kInstallerBufSize = 32768;

  MemoryDecoder() {
    codec_.SetReadBufSize(kInstallerBufSize);
    codec_.SetWriteBufSize(kInstallerBufSize);
    codec_.OnGetBytes = [this](stp::TCustomLZHCompressor&, stp::BufType& DTA, std::uint16_t NBytes,
                               std::uint16_t& Bytes_Got) {
      const std::size_t n = std::min<std::size_t>(NBytes, stream_.size() - read_);
      std::memcpy(DTA.data(), stream_.data() + read_, n);
      read_ += n;
      Bytes_Got = static_cast<std::uint16_t>(n);
    };
    codec_.OnPutBytes = [this](stp::TCustomLZHCompressor&, stp::BufType& DTA, std::uint16_t NBytes,
                               std::uint16_t&) {
      benchmark::DoNotOptimize(DTA.data());
      written_ += NBytes;
    };
  }

  // Decodes one stream; returns how many bytes it decoded to.
  std::size_t Decode(std::span<const std::uint8_t> stream) {
    stream_ = stream;
    read_ = written_ = 0;
    codec_.Decompress();
    return written_;
  }

 private:
  stp::TLZHCompressor codec_;
  std::span<const std::uint8_t> stream_;
  std::size_t read_ = 0;
  std::size_t written_ = 0;
};
