// Setup.inf as anyone might write it, read the way stptool extract reads a
// medium: profile parsing, the checks of names and of the file table, then
// the engine's extraction of a small fixed medium (three files in two
// volumes, the second file across the boundary) into a scratch folder.
//
// Whatever the text, the run ends with success or a ToolError, writes
// nothing outside its destination folder and leaves the medium alone.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_codec.h"
#include "lzh/lzh_encoder.h"
#include "lzh_support/sample_data.h"
#include "stptool/extract.h"

namespace {

namespace fs = std::filesystem;

// Setup1.stp ends this many bytes into the second image.
constexpr std::size_t kIntoSecondImage = 100;

std::string CorePath(const fs::path& native) {
  std::string path = native.string();
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path + "\\";
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Scratch {
  fs::path root;
  fs::path medium;
  fs::path destination;

  Scratch() {
    root = fs::temp_directory_path() / ("stp-fuzz-" + std::to_string(::getpid()));
    medium = root / "medium";
    destination = root / "destination";
    fs::create_directories(medium);
    // The images of a text, uncompressible bytes and an empty file: the
    // seed Setup.inf in corpus/setup_inf/ lists them with their offsets.
    std::string text;
    for (int i = 0; i < 40; ++i) text += "Hallo Welt!\r\n";
    const std::vector<std::uint8_t> a =
        stp::LzhEncode(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    const std::vector<std::uint8_t> b =
        stp::LzhEncode(stp::sample::Generate(stp::sample::Kind::kRandom, 3000, 1));
    std::vector<std::uint8_t> data = a;
    data.insert(data.end(), b.begin(), b.end());
    const auto cut = static_cast<std::ptrdiff_t>(a.size() + kIntoSecondImage);
    WriteFile(medium / "Setup1.stp", {data.begin(), data.begin() + cut});
    WriteFile(medium / "Setup2.stp", {data.begin() + cut, data.end()});
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

const Scratch& TheScratch() {
  static const Scratch scratch;
  return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Scratch& scratch = TheScratch();
  std::ofstream(scratch.medium / "Setup.inf", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  fs::remove_all(scratch.destination);
  try {
    stptool::Progress quiet(false);
    stptool::ExtractMedium(stptool::OpenMedium(CorePath(scratch.medium)), CorePath(scratch.destination), {},
                           quiet, stptool::Existing::kRefuse);
  } catch (const stptool::ToolError&) {
    // A refused or damaged medium: what the target is there to find out is
    // that nothing else happens.
  }
  for (const auto& entry : fs::directory_iterator(scratch.root)) {
    stp::fuzz::Check(entry.path() == scratch.medium || entry.path() == scratch.destination);
  }
  stp::fuzz::Check(std::distance(fs::directory_iterator(scratch.medium), fs::directory_iterator()) == 3);
  return 0;
}
