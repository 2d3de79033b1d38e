#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

#include "lzh/Lzh_op.h"

namespace stp {

// Runs the codec component over one compressed stream at a time, in blocks
// of kBlockSize bytes both ways. The component takes a failing event for the
// end of its input, so the first failure of either callback is kept and
// raised once the component has returned. After a failure of pull no further
// block is asked for, and what was decoded so far still goes to push; after
// a failure of push nothing more goes to it.
class StreamDecoder {
 public:
  static constexpr std::uint16_t kBlockSize = kLargestBufSize;

  // Stores up to count compressed bytes (count is at most kBlockSize) and
  // returns how many; 0 ends the stream.
  using Pull = std::function<std::size_t(std::uint8_t* buffer, std::size_t count)>;
  // Takes one decoded block; the last one of a stream may be empty.
  using Push = std::function<void(const std::uint8_t* data, std::size_t count)>;

  StreamDecoder();
  StreamDecoder(const StreamDecoder&) = delete;
  StreamDecoder& operator=(const StreamDecoder&) = delete;

  // Decodes one whole stream. Throws what pull or push threw.
  void Decode(const Pull& pull, const Push& push);

 private:
  TLZHCompressor codec_;
  // Only during Decode.
  const Pull* pull_ = nullptr;
  const Push* push_ = nullptr;
  std::exception_ptr failure_;
  bool push_failed_ = false;
};

}  // namespace stp
