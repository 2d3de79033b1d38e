// Throughput of installing a medium: a deterministic mixed corpus of about
// 52 MB (35 % text, 35 % program-like binaries, 10 % runs, 20 % random
// bytes, files of 1 KiB to 1 MiB) packed by stptool into setup data, then
// installed through the engine's Extraction as Setup.exe does it: volume
// reader, codec component with 32768-byte buffers, target files, time
// stamps.
//
// For comparison, on the same bytes: BM_DecodeInMemory decodes the same
// streams from memory into nothing, BM_Crc32 works out the files' CRC-32 in
// memory, and BM_CopyFiles copies the uncompressed files in blocks of 32768
// bytes through the same file-system calls.
//
// Arguments of BM_Extract: 0 for one Setup.stp, 1 for diskette volumes (a
// first volume of 1457664 bytes); then 1 to check each file's size and
// CRC-32 against section Checksums as it is decoded, 0 to install as from a
// Setup.inf without that section. Counter: MB/s of installed bytes (10^6
// bytes per second). The medium lives in the system's temporary folder.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "corpus_files.h"
#include "engine/content_check.h"
#include "engine/extraction.h"
#include "memory_decoder.h"
#include "port/file_system.h"
#include "setup/configuration.h"
#include "stptool/pack.h"
#include "unattended/silent_hosts.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kCorpusBytes = 52'000'000;
constexpr std::uint64_t kCorpusSeed = 20240715;
constexpr std::uint16_t kBlockSize = 32768;
constexpr std::int64_t kDisketteVolume = 1457664;

// A folder below the temporary folder, removed at exit, named the way the
// core names paths (Windows form, "\" between parts, ending in "\").
class ScratchFolder {
 public:
  ScratchFolder() {
    native_ = fs::temp_directory_path() / ("stp-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(native_);
    path_ = native_.string();
    std::replace(path_.begin(), path_.end(), '/', '\\');
    path_ += '\\';
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(native_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  fs::path native_;
  std::string path_;
};

struct Corpus {
  ScratchFolder folder;
  std::vector<std::string> names;
  std::uint64_t bytes = 0;
  std::string single;   // medium with Setup.stp
  std::string volumes;  // medium with diskette volumes
};

void Fill(Corpus& corpus) {
  const std::string source = corpus.folder.Path() + "source\\";
  stp::sample::CorpusFiles files = stp::sample::WriteCorpusFiles(source, kCorpusBytes, kCorpusSeed);
  corpus.names = std::move(files.names);
  corpus.bytes = files.bytes;
  // One [files] line: the whole folder.
  stptool::ProductDescription description{"bench", {}, {{1, "", true, ""}}, {}};
  corpus.single = corpus.folder.Path() + "single\\";
  corpus.volumes = corpus.folder.Path() + "volumes\\";
  stptool::Progress quiet(false);
  stptool::PackOptions options;
  stptool::Pack(description, source, corpus.single, options, quiet);
  options.first_volume_size = kDisketteVolume;
  stptool::Pack(description, source, corpus.volumes, options, quiet);
}

// Made once, on first use; its folder goes at exit.
const Corpus& TheCorpus() {
  static Corpus corpus;
  static const bool filled = (Fill(corpus), true);
  (void)filled;
  return corpus;
}

void Report(benchmark::State& state, std::uint64_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Extract(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  const std::string medium = state.range(0) == 0 ? corpus.single : corpus.volumes;
  stp::FileTable table = stp::LoadFileTable(stp::ProfileFile::Load(medium + "Setup.inf"));
  const bool checked = state.range(1) != 0;
  if (!checked) table.FileChecks.reset();
  ScratchFolder destination;
  const stp::TargetPlaces places{destination.Path(), destination.Path() + "windir",
                                 destination.Path() + "desktop"};
  stp::SilentInstallationHost host;
  for (auto _ : state) {
    stp::Extraction extraction(table, places, medium, host, [](int, const std::string&) {});
    if (extraction.InstallFiles() != stp::Extraction::Outcome::kDone) state.SkipWithError("not installed");
  }
  state.SetLabel(std::string(state.range(0) == 0 ? "Setup.stp" : "volumes") +
                 (checked ? ", checksums" : ", no checksums"));
  Report(state, corpus.bytes);
}

void BM_DecodeInMemory(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  const stp::FileTable table = stp::LoadFileTable(stp::ProfileFile::Load(corpus.single + "Setup.inf"));
  std::vector<std::uint8_t> data;
  {
    stp::port::File file = stp::port::File::OpenRead(corpus.single + "Setup.stp");
    data.resize(static_cast<std::size_t>(file.Size()));
    file.Read(data.data(), data.size());
  }
  MemoryDecoder decoder;
  for (auto _ : state) {
    std::uint64_t written = 0;
    for (std::size_t i = 0; i < table.FileTargets.size(); ++i) {
      const stp::FileEntry entry = stp::CheckedFileEntry(table, static_cast<int>(i));
      written += decoder.Decode(std::span(data).subspan(static_cast<std::size_t>(entry.offset),
                                                        static_cast<std::size_t>(entry.length)));
    }
    if (written != corpus.bytes) state.SkipWithError("decoded size differs");
  }
  Report(state, corpus.bytes);
}

// The checks' own cost: CRC-32 over the uncompressed files in memory, in
// blocks of 32768 bytes as they come from the codec.
void BM_Crc32(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  std::vector<std::vector<std::uint8_t>> files;
  for (const std::string& name : corpus.names) {
    stp::port::File file = stp::port::File::OpenRead(corpus.folder.Path() + "source\\" + name);
    files.emplace_back(static_cast<std::size_t>(file.Size()));
    file.Read(files.back().data(), files.back().size());
  }
  for (auto _ : state) {
    for (const auto& file : files) {
      stp::ContentCheck check(stp::FileCheck{static_cast<std::uint32_t>(file.size()), 0});
      for (std::size_t at = 0; at < file.size(); at += kBlockSize) {
        check.Add(file.data() + at, std::min<std::size_t>(kBlockSize, file.size() - at));
      }
      benchmark::DoNotOptimize(check.Crc());
    }
  }
  Report(state, corpus.bytes);
}

void BM_CopyFiles(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  const std::string source = corpus.folder.Path() + "source\\";
  ScratchFolder destination;
  std::vector<std::uint8_t> block(kBlockSize);
  for (auto _ : state) {
    for (const std::string& name : corpus.names) {
      stp::port::File in = stp::port::File::OpenRead(source + name);
      stp::port::File out = stp::port::File::Create(destination.Path() + name);
      for (std::size_t got; (got = in.Read(block.data(), block.size())) > 0;) out.Write(block.data(), got);
      out.SetTimes(in.WriteTime());
      out.Close();
    }
  }
  Report(state, corpus.bytes);
}

// Wall-clock time: writing files waits on the disk as much as on the CPU.
BENCHMARK(BM_Extract)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DecodeInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Crc32)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
