#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "lzh/Lzh_op.h"
#include "lzh/lzh_encoder.h"
#include "lzh_support/sample_data.h"
#include "support/codec_run.h"

namespace stp {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A component wired to streams in memory, one per run, recording its events.
class Harness {
 public:
  explicit Harness(std::vector<Bytes> streams) : streams_(std::move(streams)) {
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
  explicit Harness(Bytes stream) : Harness(std::vector<Bytes>{std::move(stream)}) {}

  TLZHCompressor codec;
  std::size_t chunk = SIZE_MAX;
  std::function<void()> on_get;
  std::function<void()> on_put;  // called before the bytes count as taken
  std::function<void()> on_finished;

  int get_calls = 0;
  std::vector<std::uint16_t> asked;  // NBytes of every OnGetBytes call
  int finished_events = 0;
  bool finished_inside_event = false;
  std::vector<std::uint16_t> put_sizes;
  std::vector<Bytes> offered;
  Bytes output;

 private:
  std::vector<Bytes> streams_;
  std::size_t run_ = 0;
  std::size_t read_ = 0;
};

TEST(TLZHCompressor, KeepsBufferSizesWithinBounds) {
  TLZHCompressor codec;
  EXPECT_EQ(codec.ReadBufSize(), 1024);
  EXPECT_EQ(codec.WriteBufSize(), 1024);
  EXPECT_TRUE(codec.Finished());
  const struct {
    std::uint16_t set, stored;
  } kCases[] = {{0, 16},        {8, 16},        {15, 16},       {16, 16},       {17, 17},      {1024, 1024},
                {32767, 32767}, {32768, 32768}, {32769, 32768}, {40000, 32768}, {65535, 32768}};
  for (const auto& c : kCases) {
    codec.SetReadBufSize(c.set);
    codec.SetWriteBufSize(c.set);
    EXPECT_EQ(codec.ReadBufSize(), c.stored) << c.set;
    EXPECT_EQ(codec.WriteBufSize(), c.stored) << c.set;
  }
}

TEST(TLZHCompressor, IgnoresBufferSizeChangesDuringARun) {
  const Bytes data = sample::Generate(sample::Kind::kText, 5000, 1);
  Harness h(LzhEncode(data));
  h.codec.SetReadBufSize(64);
  h.codec.SetWriteBufSize(100);
  h.on_get = [&] {
    h.codec.SetReadBufSize(16);
    h.codec.SetWriteBufSize(16);
  };
  h.codec.Decompress();
  EXPECT_EQ(h.output, data);
  EXPECT_EQ(h.codec.ReadBufSize(), 64);
  EXPECT_EQ(h.codec.WriteBufSize(), 100);
  EXPECT_TRUE(std::all_of(h.asked.begin(), h.asked.end(), [](std::uint16_t n) { return n == 64; }));
  EXPECT_TRUE(
      std::all_of(h.put_sizes.begin(), h.put_sizes.end() - 1, [](std::uint16_t n) { return n == 100; }));
}

// OnPutBytes takes full buffers only when a further byte arrives, so the
// run's last call brings the rest, never nothing unless nothing was decoded.
TEST(TLZHCompressor, HandsOnFullBuffersThenTheRest) {
  const struct {
    std::size_t decoded;
    std::uint16_t write_size;
    std::vector<std::uint16_t> puts;
  } kCases[] = {
      {0, 16, {0}},
      {1, 16, {1}},
      {16, 16, {16}},
      {17, 16, {16, 1}},
      {32, 16, {16, 16}},
      {40, 16, {16, 16, 8}},
      {70000, 32768, {32768, 32768, 4464}},
  };
  for (const auto& c : kCases) {
    const Bytes data = sample::Generate(sample::Kind::kText, c.decoded, 2);
    EXPECT_EQ(test::RunCodec(LzhEncode(data), {1024, c.write_size}).put_sizes, c.puts) << c.decoded;
  }
}

TEST(TLZHCompressor, DecodesEachRunFromAFreshStart) {
  const Bytes first = sample::Generate(sample::Kind::kText, 3000, 3);
  const Bytes second = sample::Generate(sample::Kind::kBinary, 3000, 4);
  Harness h({LzhEncode(first), LzhEncode(second), {}});
  h.codec.SetWriteBufSize(256);
  h.codec.Decompress();
  h.codec.Decompress();
  h.codec.Decompress();
  Bytes expected = first;
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(h.output, expected);
  // The last stream is empty: one call without bytes, and the run ends as
  // every run does.
  EXPECT_EQ(h.put_sizes.back(), 0);
  EXPECT_EQ(h.finished_events, 3);
  EXPECT_TRUE(h.finished_inside_event);
  EXPECT_TRUE(h.codec.Finished());
}

TEST(TLZHCompressor, EndsQuietlyWhenReadingFails) {
  const Bytes data = sample::Generate(sample::Kind::kText, 20000, 5);
  Harness h(LzhEncode(data));
  h.codec.SetReadBufSize(256);
  h.codec.SetWriteBufSize(1000);
  h.on_get = [&] {
    if (h.get_calls == 6) throw std::runtime_error("read error");
  };
  EXPECT_NO_THROW(h.codec.Decompress());
  EXPECT_EQ(h.get_calls, 6);
  ASSERT_GT(h.output.size(), 1000u);
  EXPECT_LT(h.output.size(), data.size());
  EXPECT_TRUE(std::equal(h.output.begin(), h.output.end(), data.begin()));
  EXPECT_TRUE(
      std::all_of(h.put_sizes.begin(), h.put_sizes.end() - 1, [](std::uint16_t n) { return n == 1000; }));
  EXPECT_EQ(h.finished_events, 1);
  EXPECT_TRUE(h.codec.Finished());
}

// A failed write leaves the buffer full; the final call offers it again.
TEST(TLZHCompressor, OffersAFailedBufferAgainAtTheEnd) {
  const Bytes data = sample::Generate(sample::Kind::kText, 100, 6);
  Harness h(LzhEncode(data));
  h.codec.SetWriteBufSize(16);
  h.on_put = [&] {
    if (h.put_sizes.size() == 1) throw std::runtime_error("disk full");
  };
  h.codec.Decompress();
  ASSERT_EQ(h.put_sizes, (std::vector<std::uint16_t>{16, 16}));
  EXPECT_EQ(h.offered[1], h.offered[0]);
  EXPECT_EQ(h.output, Bytes(data.begin(), data.begin() + 16));
  EXPECT_EQ(h.finished_events, 1);
}

TEST(TLZHCompressor, PassesAFailingFinalWriteToTheCaller) {
  Harness h(LzhEncode(sample::Generate(sample::Kind::kText, 100, 7)));
  h.codec.SetWriteBufSize(16);
  h.on_put = [] { throw std::runtime_error("disk full"); };
  EXPECT_THROW(h.codec.Decompress(), std::runtime_error);
  EXPECT_EQ(h.put_sizes.size(), 2u);
  EXPECT_TRUE(h.codec.Finished());
  EXPECT_EQ(h.finished_events, 1);
  EXPECT_TRUE(h.finished_inside_event);
}

TEST(TLZHCompressor, IgnoresDecompressFromInsideItsEvents) {
  const Bytes data = sample::Generate(sample::Kind::kText, 3000, 8);
  Harness h(LzhEncode(data));
  h.codec.SetWriteBufSize(256);
  h.on_get = [&] { h.codec.Decompress(); };
  h.on_put = [&] { h.codec.Decompress(); };
  h.codec.Decompress();
  EXPECT_EQ(h.output, data);
  EXPECT_EQ(h.finished_events, 1);
}

TEST(TLZHCompressor, RunsAgainWhenAskedFromOnPressFinished) {
  const Bytes data = sample::Generate(sample::Kind::kText, 3000, 9);
  Harness h({LzhEncode(data), LzhEncode(data)});
  h.on_finished = [&] {
    if (h.finished_events == 1) h.codec.Decompress();
  };
  h.codec.Decompress();
  Bytes expected = data;
  expected.insert(expected.end(), data.begin(), data.end());
  EXPECT_EQ(h.output, expected);
  EXPECT_EQ(h.finished_events, 2);
}

// Handlers that misreport what they stored cannot make the component read
// bytes nobody stored.
TEST(TLZHCompressor, BelievesNoMoreInputThanItAskedFor) {
  const Bytes data = sample::Generate(sample::Kind::kText, 3000, 10);
  Harness over(LzhEncode(data));
  over.codec.SetReadBufSize(16);
  over.codec.OnGetBytes = [&, get = over.codec.OnGetBytes](TCustomLZHCompressor& Sender, BufType& DTA,
                                                           std::uint16_t NBytes, std::uint16_t& Bytes_Got) {
    get(Sender, DTA, NBytes, Bytes_Got);
    if (Bytes_Got == NBytes) Bytes_Got = 60000;
  };
  over.codec.Decompress();
  EXPECT_EQ(over.output, data);

  Harness silent(LzhEncode(data));
  silent.codec.OnGetBytes = [](TCustomLZHCompressor&, BufType&, std::uint16_t, std::uint16_t&) {};
  silent.codec.Decompress();
  EXPECT_EQ(silent.put_sizes, std::vector<std::uint16_t>{0});
}

}  // namespace
}  // namespace stp
