#include "driver/medium.h"

#include <filesystem>

#include "driver/setup_process.h"
#include "port/directory_path.h"
#include "port/file_system.h"

namespace driver {

namespace fs = std::filesystem;

Medium::Medium(const std::string& name, const stptool::ProductDescription& description,
               const std::vector<ProductFile>& files, const stptool::PackOptions& layout)
    : folder_(SetupProcess::MediumDirectory(name)), root_(folder_ + "medium\\") {
  fs::remove_all(fs::path(folder_).parent_path());
  const std::string product = folder_ + "product\\";
  for (const ProductFile& file : files) {
    const std::string path = product + file.source;
    stp::MakeDirectoryPath(path.substr(0, path.rfind('\\')));
    stp::port::File written = stp::port::File::Create(path);
    written.Write(file.content.data(), file.content.size());
    written.SetTimes(file.time);
    written.Close();
  }
  stptool::PackOptions options = layout;
  options.picture = BesideTheTest("setup.bmp");
  options.setup_program = BesideTheTest("Setup.exe");
  stptool::Progress quiet(false);
  packed_ = stptool::Pack(description, product, root_, options, quiet);
}

Medium::~Medium() {
  std::error_code ignored;
  fs::remove_all(fs::path(folder_).parent_path(), ignored);
}

}  // namespace driver
