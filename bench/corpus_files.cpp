#include "corpus_files.h"

#include "lzh_support/sample_data.h"
#include "port/directory_path.h"
#include "port/file_system.h"

namespace stp::sample {

CorpusFiles WriteCorpusFiles(const std::string& folder, std::size_t total_bytes, std::uint64_t seed) {
  MakeDirectoryPath(folder);
  CorpusFiles corpus;
  for (const File& file : MixedCorpus(total_bytes, seed)) {
    const std::string name = "file" + std::to_string(corpus.names.size()) + ".dat";
    port::File written = port::File::Create(folder + name);
    written.Write(file.bytes.data(), file.bytes.size());
    written.Close();
    corpus.names.push_back(name);
    corpus.bytes += file.bytes.size();
  }
  return corpus;
}

}  // namespace stp::sample
