#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "lzh/Lzh_op.h"
#include "support/test_data.h"

namespace stp::test {

// A TLZHCompressor wired to streams in memory, one per run, recording how it
// calls its events.
class CodecHarness {
 public:
  explicit CodecHarness(std::vector<Bytes> streams);

  TLZHCompressor codec;
  std::size_t chunk = SIZE_MAX;  // most bytes per OnGetBytes call
  std::function<void()> on_get;
  std::function<void()> on_put;  // called before the bytes count as taken
  std::function<void()> on_finished;

  int get_calls = 0;
  std::vector<std::uint16_t> asked;      // NBytes of every OnGetBytes call
  std::vector<std::uint16_t> put_sizes;  // NBytes of every OnPutBytes call
  std::vector<Bytes> offered;
  Bytes output;
  int finished_events = 0;
  bool finished_inside_event = false;

 private:
  std::vector<Bytes> streams_;
  std::size_t run_ = 0;
  std::size_t read_ = 0;
};

struct CodecRun {
  Bytes output;
  std::vector<std::uint16_t> put_sizes;
  int get_calls = 0;
};

CodecRun RunCodec(std::span<const std::uint8_t> stream, std::uint16_t read_size = kLargestBufSize,
                  std::uint16_t write_size = kLargestBufSize, std::size_t chunk = SIZE_MAX);

inline Bytes Decode(std::span<const std::uint8_t> stream) { return RunCodec(stream).output; }

}  // namespace stp::test
