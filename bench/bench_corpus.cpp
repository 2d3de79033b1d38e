// Writes the benchmarks' deterministic mixed corpus and a product
// description for it, for bench/install_bench.sh to pack with stptool:
//   OUT_DIR/files/file0.dat, file1.dat, ...   about 52 MB
//   OUT_DIR/Messung.txt                       the product "Bench Messung 1.0"
// Usage: bench_corpus OUT_DIR
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "corpus_files.h"

namespace {

constexpr std::size_t kCorpusBytes = 52'000'000;
constexpr std::uint64_t kCorpusSeed = 20240715;

constexpr char kDescription[] =
    "[product]\n"
    "organisation = Bench\n"
    "product      = Messung\n"
    "version      = 1.0\n"
    "restart      = no\n"
    "[files]\n"
    "./\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_corpus OUT_DIR\n");
    return 2;
  }
  const std::string out = argv[1];
  // The core names paths the Windows way.
  std::string folder = out + "/files/";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  const stp::sample::CorpusFiles corpus = stp::sample::WriteCorpusFiles(folder, kCorpusBytes, kCorpusSeed);
  std::ofstream(out + "/Messung.txt") << kDescription;
  std::printf("%zu files, %llu bytes in %s/files\n", corpus.names.size(),
              static_cast<unsigned long long>(corpus.bytes), out.c_str());
  return 0;
}
