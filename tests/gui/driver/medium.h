#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stptool/pack.h"
#include "stptool/product_description.h"

namespace driver {

// One file of a scenario's product, as the distributor has it.
struct ProductFile {
  std::string source;  // below the product's folder, "\" between parts
  std::string content;
  std::uint64_t time;  // the file time stptool takes from it
};

// A medium made as a distributor makes one: the product's files written
// with their times into a folder of their own, then packed by stptool's
// pack with Setup.exe and the picture from beside the test program. It
// lies below the temporary directory and goes with the object.
class Medium {
 public:
  Medium(const std::string& name, const stptool::ProductDescription& description,
         const std::vector<ProductFile>& files, const stptool::PackOptions& layout = {});
  ~Medium();
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;

  // The folder packed into, ending in "\".
  const std::string& Root() const { return root_; }
  // The folder of Setup.inf and Setup.exe, ending in "\".
  const std::string& SetupDirectory() const { return packed_.setup_directory; }
  // Where each file went in the setup data, in the order of the file table.
  const stptool::PackResult& Packed() const { return packed_; }

 private:
  std::string folder_;  // holds the product's files and the medium
  std::string root_;
  stptool::PackResult packed_;
};

}  // namespace driver
