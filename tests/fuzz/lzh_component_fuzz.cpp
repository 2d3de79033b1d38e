// The codec component under any buffer sizes, any way of delivering input,
// failing handlers and calls from inside its events. The first bytes of an
// input set the scene, the rest is the stream.
//
// Whatever happens, the run delivers a prefix of the stream's output in
// blocks of exactly WriteBufSize bytes but the last, ends with Finished true
// and one OnPressFinished, and lets only a failure of its last OnPutBytes
// call through.

#include <stdexcept>

#include "fuzz_codec.h"

namespace {

struct Scene {
  std::uint16_t read_size;
  std::uint16_t write_size;
  std::size_t chunk;       // most bytes per OnGetBytes call
  int failing_get;         // the OnGetBytes call that throws, 0 for none
  int failing_put;         // the first OnPutBytes call that throws, 0 for none
  bool keep_failing_puts;  // every later OnPutBytes call throws too
  bool nested_calls;       // the events call Decompress
};

constexpr std::size_t kSceneBytes = 7;

Scene ReadScene(const std::uint8_t* data) {
  return {static_cast<std::uint16_t>(data[0] << 8 | data[1]),
          static_cast<std::uint16_t>(data[2] << 8 | data[3]),
          std::size_t{1} + data[4] % 64 * (data[4] >= 128 ? 512 : 1),
          data[5] % 16 < 12 ? 0 : data[5] % 16 - 11,
          data[6] % 8 < 5 ? 0 : data[6] % 8 - 4,
          (data[6] & 0x80) != 0,
          (data[5] & 0x80) != 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stp;
  if (size < kSceneBytes) return 0;
  const Scene scene = ReadScene(data);
  const std::span<const std::uint8_t> stream(data + kSceneBytes, size - kSceneBytes);
  const std::vector<std::uint8_t> full = fuzz::DecodeWhole(stream);

  TLZHCompressor codec;
  codec.SetReadBufSize(scene.read_size);
  codec.SetWriteBufSize(scene.write_size);
  const std::uint16_t read_size = codec.ReadBufSize();
  const std::uint16_t write_size = codec.WriteBufSize();
  fuzz::Check(read_size >= kSmallestBufSize && read_size <= kLargestBufSize);
  fuzz::Check(write_size >= kSmallestBufSize && write_size <= kLargestBufSize);

  std::size_t read = 0;
  int get_calls = 0;
  int put_calls = 0;
  int finished_events = 0;
  std::vector<std::uint8_t> output;
  std::vector<std::uint16_t> put_sizes;
  bool put_failed = false;
  bool last_put_failed = false;
  codec.OnGetBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t& Bytes_Got) {
    fuzz::Check(!codec.Finished() && NBytes == read_size);
    if (scene.nested_calls) codec.Decompress();
    codec.SetReadBufSize(kSmallestBufSize);
    if (++get_calls == scene.failing_get) throw std::runtime_error("read");
    const std::size_t n = std::min({std::size_t{NBytes}, scene.chunk, stream.size() - read});
    std::copy_n(stream.begin() + read, n, DTA.begin());
    read += n;
    Bytes_Got = static_cast<std::uint16_t>(n);
  };
  codec.OnPutBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes, std::uint16_t&) {
    fuzz::Check(!codec.Finished() && NBytes <= write_size);
    if (scene.nested_calls) codec.Decompress();
    put_sizes.push_back(NBytes);
    ++put_calls;
    last_put_failed = put_calls == scene.failing_put || (put_failed && scene.keep_failing_puts);
    if (last_put_failed) {
      put_failed = true;
      throw std::runtime_error("write");
    }
    output.insert(output.end(), DTA.begin(), DTA.begin() + NBytes);
  };
  codec.OnPressFinished = [&](TCustomLZHCompressor&) {
    fuzz::Check(codec.Finished());
    ++finished_events;
  };

  bool passed_on = false;
  try {
    codec.Decompress();
  } catch (const std::runtime_error&) {
    passed_on = true;
  }

  fuzz::Check(codec.Finished() && finished_events == 1);
  fuzz::Check(codec.ReadBufSize() == read_size && codec.WriteBufSize() == write_size);
  fuzz::Check(!put_sizes.empty());
  for (std::size_t i = 0; i + 1 < put_sizes.size(); ++i) fuzz::Check(put_sizes[i] == write_size);
  fuzz::Check(put_sizes.back() > 0 || put_sizes.size() == 1);
  // Only the last call's failure leaves Decompress.
  fuzz::Check(passed_on == last_put_failed);
  fuzz::Check(output.size() <= full.size() && std::equal(output.begin(), output.end(), full.begin()));
  if (scene.failing_get == 0 && !put_failed) fuzz::Check(output == full);
  return 0;
}
