// Setup.inf as anyone might write it, read the way stptool extract reads a
// medium: profile parsing, the checks of names and of the file table, then
// the engine's extraction of a small fixed medium (three files in two
// volumes, the second file across the boundary) into a scratch folder; and
// the way stptool test checks it.
//
// Whatever the text, the run ends with success or a ToolError, writes
// nothing outside its destination folder and leaves the medium alone.
// Where Setup.inf has checksums, every file extracted has the stored size
// and CRC-32. A medium that test finds no problem with is not refused as
// damaged by extract.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "engine/content_check.h"
#include "fuzz_codec.h"
#include "lzh/lzh_encoder.h"
#include "lzh_support/sample_data.h"
#include "stptool/extract.h"
#include "stptool/test_medium.h"

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

// Every file of the table has the content its check describes.
void CheckExtracted(const stp::FileTable& files, const std::string& destination) {
  const stp::TargetPlaces places{destination, destination + std::string(stptool::kWindowsFolder),
                                 destination + std::string(stptool::kDesktopFolder)};
  for (std::size_t i = 0; i < files.FileTargets.size(); ++i) {
    const auto check = stp::ParseFileCheck((*files.FileChecks)[i]);
    stp::fuzz::Check(check.has_value());
    stp::port::File file = stp::port::File::OpenRead(stp::ExpandTarget(files.FileTargets[i], places));
    std::vector<std::uint8_t> content(static_cast<std::size_t>(file.Size()));
    content.resize(file.Read(content.data(), content.size()));
    stp::fuzz::Check(content.size() == check->size);
    stp::fuzz::Check(stp::Crc32(0, content.data(), content.size()) == check->crc);
  }
}

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
  const std::string destination = CorePath(scratch.destination);
  std::optional<stptool::ExitStatus> refused;
  try {
    stptool::Progress quiet(false);
    stptool::ExtractMedium(stptool::OpenMedium(CorePath(scratch.medium)), destination, {}, quiet,
                           stptool::Existing::kRefuse);
  } catch (const stptool::ToolError& e) {
    // A refused or damaged medium: what the target is there to find out is
    // that nothing else happens.
    refused = e.Status();
  }
  for (const auto& entry : fs::directory_iterator(scratch.root)) {
    stp::fuzz::Check(entry.path() == scratch.medium || entry.path() == scratch.destination);
  }
  stp::fuzz::Check(std::distance(fs::directory_iterator(scratch.medium), fs::directory_iterator()) == 3);

  std::optional<stptool::Medium> medium;
  try {
    medium = stptool::ReadMedium(CorePath(scratch.medium));
  } catch (const stptool::ToolError&) {
    stp::fuzz::Check(refused.has_value());
    return 0;
  }
  if (!refused && medium->files.FileChecks) CheckExtracted(medium->files, destination);
  stptool::Progress quiet(false);
  const stptool::TestResult tested = stptool::TestMedium(*medium, quiet, [](const std::string&) {});
  stp::fuzz::Check(tested.problems > 0 || refused != stptool::kDamaged);
  return 0;
}
