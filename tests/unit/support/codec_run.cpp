#include "support/codec_run.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace stp::test {

CodecHarness::CodecHarness(std::vector<Bytes> streams) : streams_(std::move(streams)) {
  codec.OnGetBytes = [this](TCustomLZHCompressor& Sender, BufType& DTA, std::uint16_t NBytes,
                            std::uint16_t& Bytes_Got) {
    EXPECT_EQ(&Sender, &codec);
    EXPECT_FALSE(codec.Finished());
    ++get_calls;
    asked.push_back(NBytes);
    if (on_get) on_get();
    const Bytes& stream = run_ < streams_.size() ? streams_[run_] : Bytes{};
    const std::size_t n = std::min({std::size_t{NBytes}, chunk, stream.size() - read_});
    std::copy_n(stream.begin() + read_, n, DTA.begin());
    read_ += n;
    Bytes_Got = static_cast<std::uint16_t>(n);
  };
  codec.OnPutBytes = [this](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes, std::uint16_t&) {
    put_sizes.push_back(NBytes);
    offered.emplace_back(DTA.begin(), DTA.begin() + NBytes);
    if (on_put) on_put();
    output.insert(output.end(), DTA.begin(), DTA.begin() + NBytes);
  };
  codec.OnPressFinished = [this](TCustomLZHCompressor&) {
    ++finished_events;
    finished_inside_event = codec.Finished();
    ++run_;
    read_ = 0;
    if (on_finished) on_finished();
  };
}

CodecRun RunCodec(std::span<const std::uint8_t> stream, std::uint16_t read_size, std::uint16_t write_size,
                  std::size_t chunk) {
  CodecHarness harness({Bytes(stream.begin(), stream.end())});
  harness.codec.SetReadBufSize(read_size);
  harness.codec.SetWriteBufSize(write_size);
  harness.chunk = chunk;
  harness.codec.Decompress();
  return {harness.output, harness.put_sizes, harness.get_calls};
}

}  // namespace stp::test
