// Throughput of the codec on a deterministic mixed corpus of about 24 MB, as
// the installer meets it: one stream per file, decoded through the codec
// component with 32768-byte buffers. The reference_* benchmarks run the plain
// reference rendering (byte-at-a-time decoder, greedy encoder) on the same
// files for comparison.
//
// Argument: -1 for the whole corpus, else one kind of file (see label).
// Counters: MB/s of uncompressed data (10^6 bytes), ratio = stream bytes /
// file bytes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

#include "lzh/lzh_encoder.h"
#include "lzh_support/reference_codec.h"
#include "lzh_support/sample_data.h"
#include "memory_decoder.h"

namespace {

constexpr std::size_t kCorpusBytes = 24'000'000;
constexpr std::uint64_t kCorpusSeed = 20240601;
constexpr int kWholeCorpus = -1;

struct Entry {
  const stp::sample::File* file;
  std::vector<std::uint8_t> stream;
};

const std::vector<stp::sample::File>& Files() {
  static const std::vector<stp::sample::File> files = stp::sample::MixedCorpus(kCorpusBytes, kCorpusSeed);
  return files;
}

const std::vector<Entry>& Streams() {
  static const std::vector<Entry> entries = [] {
    std::vector<Entry> made;
    for (const auto& file : Files()) made.push_back({&file, stp::LzhEncode(file.bytes)});
    return made;
  }();
  return entries;
}

bool Selected(const stp::sample::File& file, int kind) {
  return kind == kWholeCorpus || static_cast<int>(file.kind) == kind;
}

const char* Label(int kind) {
  static constexpr std::array<const char*, 4> kNames = {"text", "binary", "runs", "random"};
  return kind == kWholeCorpus ? "mixed" : kNames[kind];
}

void Report(benchmark::State& state, std::size_t file_bytes, std::size_t stream_bytes) {
  state.SetLabel(Label(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file_bytes));
  state.counters["MB/s"] = benchmark::Counter(static_cast<double>(file_bytes) / 1e6,
                                              benchmark::Counter::kIsIterationInvariantRate);
  state.counters["ratio"] = static_cast<double>(stream_bytes) / static_cast<double>(file_bytes);
}

// Decodes the stream of every selected file with decode, which returns how
// many bytes it decoded.
template <typename Decoder>
void DecodeStreams(benchmark::State& state, Decoder decode) {
  const int kind = static_cast<int>(state.range(0));
  const std::vector<Entry>& entries = Streams();
  std::size_t file_bytes = 0;
  std::size_t stream_bytes = 0;
  for (auto _ : state) {
    file_bytes = stream_bytes = 0;
    for (const Entry& entry : entries) {
      if (!Selected(*entry.file, kind)) continue;
      if (decode(entry.stream) != entry.file->bytes.size()) state.SkipWithError("decoded size differs");
      file_bytes += entry.file->bytes.size();
      stream_bytes += entry.stream.size();
    }
  }
  Report(state, file_bytes, stream_bytes);
}

void BM_Decode(benchmark::State& state) {
  MemoryDecoder decoder;
  DecodeStreams(state, [&](const std::vector<std::uint8_t>& bytes) { return decoder.Decode(bytes); });
}

void BM_ReferenceDecode(benchmark::State& state) {
  DecodeStreams(state, [](const std::vector<std::uint8_t>& bytes) {
    const stp::reference::Decoded decoded = stp::reference::Decode(bytes);
    return decoded.bytes.size() - decoded.trailer_bytes;
  });
}

// Encodes every selected file with encode, which returns the stream.
template <typename Encoder>
void EncodeFiles(benchmark::State& state, Encoder encode) {
  const int kind = static_cast<int>(state.range(0));
  const std::vector<stp::sample::File>& files = Files();
  std::size_t file_bytes = 0;
  std::size_t stream_bytes = 0;
  for (auto _ : state) {
    file_bytes = stream_bytes = 0;
    for (const auto& file : files) {
      if (!Selected(file, kind)) continue;
      file_bytes += file.bytes.size();
      stream_bytes += encode(file.bytes).size();
    }
  }
  Report(state, file_bytes, stream_bytes);
}

void BM_Encode(benchmark::State& state) {
  EncodeFiles(state, [](const std::vector<std::uint8_t>& bytes) { return stp::LzhEncode(bytes); });
}

void BM_ReferenceEncode(benchmark::State& state) {
  EncodeFiles(state, [](const std::vector<std::uint8_t>& bytes) {
    return stp::reference::Encode(stp::reference::ParseGreedy(bytes));
  });
}

void Kinds(benchmark::internal::Benchmark* b) {
  b->Arg(kWholeCorpus)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Decode)->Apply(Kinds);
BENCHMARK(BM_ReferenceDecode)->Apply(Kinds);
BENCHMARK(BM_Encode)->Apply(Kinds);
BENCHMARK(BM_ReferenceEncode)->Apply(Kinds);

}  // namespace

BENCHMARK_MAIN();
