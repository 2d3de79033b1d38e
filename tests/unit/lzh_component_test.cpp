#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "lzh/Lzh_op.h"
#include "lzh/lzh_encoder.h"
#include "support/codec_run.h"

namespace stp {
namespace {

using test::Bytes;
using test::CodecHarness;
using Sizes = std::vector<std::uint16_t>;

Bytes TextBytes(std::size_t size) { return test::ToBytes(test::Text(size)); }

bool AllAre(std::span<const std::uint16_t> sizes, std::uint16_t size) {
  return std::all_of(sizes.begin(), sizes.end(), [size](std::uint16_t n) { return n == size; });
}

TEST(TLZHCompressor, KeepsBufferSizesWithinBounds) {
  TLZHCompressor codec;
  EXPECT_EQ(codec.ReadBufSize(), 1024);
  EXPECT_EQ(codec.WriteBufSize(), 1024);
  EXPECT_TRUE(codec.Finished());
  const struct {
    std::uint16_t set, stored;
  } kCases[] = {{0, 16}, {8, 16}, {16, 16}, {17, 17}, {32768, 32768}, {32769, 32768}, {40000, 32768}};
  for (const auto& c : kCases) {
    codec.SetReadBufSize(c.set);
    codec.SetWriteBufSize(c.set);
    EXPECT_EQ(codec.ReadBufSize(), c.stored) << c.set;
    EXPECT_EQ(codec.WriteBufSize(), c.stored) << c.set;
  }

  const Bytes data = TextBytes(5000);
  CodecHarness h({LzhEncode(data)});
  h.codec.SetReadBufSize(64);
  h.codec.SetWriteBufSize(100);
  h.on_get = [&] {
    h.codec.SetReadBufSize(16);
    h.codec.SetWriteBufSize(16);
  };
  h.codec.Decompress();
  EXPECT_EQ(h.output, data);
  EXPECT_EQ(h.codec.ReadBufSize(), 64);  // changes during a run are ignored
  EXPECT_EQ(h.codec.WriteBufSize(), 100);
  EXPECT_TRUE(AllAre(h.asked, 64));
  EXPECT_TRUE(AllAre(std::span(h.put_sizes).first(h.put_sizes.size() - 1), 100));
}

// OnPutBytes takes full buffers only when a further byte arrives, so the
// run's last call brings the rest, never nothing unless nothing was decoded.
TEST(TLZHCompressor, HandsOnFullBuffersThenTheRest) {
  const struct {
    std::size_t decoded;
    Sizes puts;
  } kCases[] = {{0, {0}}, {1, {1}}, {16, {16}}, {17, {16, 1}}, {32, {16, 16}}, {40, {16, 16, 8}}};
  for (const auto& c : kCases) {
    EXPECT_EQ(test::RunCodec(LzhEncode(TextBytes(c.decoded)), 1024, 16).put_sizes, c.puts) << c.decoded;
  }
}

// Each Decompress decodes one stream from a fresh start. A call from inside
// OnGetBytes or OnPutBytes does nothing; one from OnPressFinished runs.
TEST(TLZHCompressor, RunsOnceForEachDecompressOutsideItsEvents) {
  const Bytes first = TextBytes(3000);
  const Bytes second = test::ToBytes(test::AddressTable(3000));
  CodecHarness h({LzhEncode(first), LzhEncode(second), {}});
  h.codec.SetWriteBufSize(256);
  h.on_get = [&] { h.codec.Decompress(); };
  h.on_put = [&] { h.codec.Decompress(); };
  h.on_finished = [&] {
    if (h.finished_events < 3) h.codec.Decompress();
  };
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

// A failed read ends the run quietly with what was decoded before. A failed
// write leaves the buffer full: the final call offers it again, and only a
// failure of that call reaches the caller, after the run has ended.
TEST(TLZHCompressor, EndsQuietlyWhenReadingFailsAndOffersAFailedBufferAgain) {
  const Bytes data = TextBytes(20000);
  CodecHarness h({LzhEncode(data)});
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
  EXPECT_TRUE(AllAre(std::span(h.put_sizes).first(h.put_sizes.size() - 1), 1000));

  const Bytes small = TextBytes(100);
  for (const bool keeps_failing : {false, true}) {
    CodecHarness w({LzhEncode(small)});
    w.codec.SetWriteBufSize(16);
    w.on_put = [&] {
      if (keeps_failing || w.put_sizes.size() == 1) throw std::runtime_error("disk full");
    };
    if (keeps_failing) {
      EXPECT_THROW(w.codec.Decompress(), std::runtime_error);
    } else {
      EXPECT_NO_THROW(w.codec.Decompress());
      EXPECT_EQ(w.output, Bytes(small.begin(), small.begin() + 16));
    }
    ASSERT_EQ(w.put_sizes, (Sizes{16, 16})) << keeps_failing;
    EXPECT_EQ(w.offered[1], w.offered[0]);
    EXPECT_TRUE(w.codec.Finished());
    EXPECT_EQ(w.finished_events, 1);
  }
}

// Handlers that misreport what they stored cannot make the component read
// bytes nobody stored.
TEST(TLZHCompressor, BelievesNoMoreInputThanItAskedFor) {
  const Bytes data = TextBytes(3000);
  CodecHarness over({LzhEncode(data)});
  over.codec.SetReadBufSize(16);
  over.codec.OnGetBytes = [&, get = over.codec.OnGetBytes](TCustomLZHCompressor& Sender, BufType& DTA,
                                                           std::uint16_t NBytes, std::uint16_t& Bytes_Got) {
    get(Sender, DTA, NBytes, Bytes_Got);
    if (Bytes_Got == NBytes) Bytes_Got = 60000;
  };
  over.codec.Decompress();
  EXPECT_EQ(over.output, data);

  CodecHarness silent({LzhEncode(data)});
  silent.codec.OnGetBytes = [](TCustomLZHCompressor&, BufType&, std::uint16_t, std::uint16_t&) {};
  silent.codec.Decompress();
  EXPECT_EQ(silent.put_sizes, Sizes{0});
}

}  // namespace
}  // namespace stp
