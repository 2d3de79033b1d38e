#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "port/errors.h"
#include "setup/configuration.h"

namespace stp {

// The CRC-32 (the one of zlib, ZIP and PNG) of the bytes, continued from the
// crc of those before them; 0 starts.
std::uint32_t Crc32(std::uint32_t crc, const std::uint8_t* data, std::size_t size);

// The size and CRC-32 of a file's content as it is decoded, block by
// block, held against the ones Setup.inf stores for the file, where it
// stores them. Without a stored check every content matches.
class ContentCheck {
 public:
  explicit ContentCheck(std::optional<FileCheck> stored) : stored_(stored) {}

  // Counts a decoded block in. False once the content has grown past the
  // stored size: the file is damaged whatever follows, and decoding need go
  // no further. (An image whose budget runs on over the next images, as
  // after a renumbered entry, would otherwise decode into junk up to the end
  // of the data.)
  bool Add(const std::uint8_t* data, std::size_t size);
  bool Matches() const;
  bool Overran() const { return stored_ && size_ > stored_->size; }

  const std::optional<FileCheck>& Stored() const { return stored_; }
  std::uint64_t Size() const { return size_; }
  // Kept only while there is a stored CRC to compare it with.
  std::uint32_t Crc() const { return crc_; }

 private:
  std::optional<FileCheck> stored_;
  std::uint64_t size_ = 0;
  std::uint32_t crc_ = 0;
};

// The volumes a file's image was read from: the one it starts in and the
// one it ends in, by number (0 for Setup.stp) and path.
struct ImageVolumes {
  int first_disk;
  std::string first_path;
  int last_disk;
  std::string last_path;
};

// The file (its installed path, or its target as Setup.inf names it)
// decoded to other content than Setup.inf stores for it: the medium is
// damaged where the file's data lie, a diskette or a download. Names the
// file, the volumes and, in English, the numbers.
class DamagedFileError : public Error {
 public:
  DamagedFileError(const std::string& file, const ImageVolumes& volumes, const ContentCheck& check);
};

}  // namespace stp
