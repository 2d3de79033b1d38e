#include "engine/stream_decoder.h"

#include <algorithm>
#include <utility>

namespace stp {

StreamDecoder::StreamDecoder() {
  codec_.SetReadBufSize(kBlockSize);
  codec_.SetWriteBufSize(kBlockSize);
  codec_.OnGetBytes = [this](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes,
                             std::uint16_t& Bytes_Got) {
    Bytes_Got = 0;
    if (failure_) return;
    try {
      Bytes_Got = static_cast<std::uint16_t>(std::min<std::size_t>((*pull_)(DTA.data(), NBytes), NBytes));
    } catch (...) {
      failure_ = std::current_exception();
    }
  };
  codec_.OnPutBytes = [this](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes, std::uint16_t&) {
    if (push_failed_) return;
    try {
      (*push_)(DTA.data(), NBytes);
    } catch (...) {
      push_failed_ = true;
      if (!failure_) failure_ = std::current_exception();
      throw;  // ends the decoding
    }
  };
}

void StreamDecoder::Decode(const Pull& pull, const Push& push) {
  pull_ = &pull;
  push_ = &push;
  failure_ = nullptr;
  push_failed_ = false;
  try {
    codec_.Decompress();
  } catch (...) {
    // A failure of the last block is kept already; anything else is new.
    if (!failure_) failure_ = std::current_exception();
  }
  pull_ = nullptr;
  push_ = nullptr;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

}  // namespace stp
