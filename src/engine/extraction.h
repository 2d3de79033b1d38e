#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/image_source.h"
#include "engine/install_host.h"
#include "engine/setup_data_reader.h"
#include "port/file_system.h"
#include "setup/configuration.h"

namespace stp {

// Where the targets of the file table go.
struct TargetPlaces {
  std::string destination;        // ends in "\"
  std::string windows_directory;  // as the platform reports it
  std::string desktop_folder;     // the user's desktop folder
};

// The full path of a file-table target: "<windir>" and "<desktop>" (in any
// letter case, at the very start only) stand for the Windows directory and
// the desktop folder; anything else lies below the destination directory.
// Throws when the folder a placeholder stands for is not known: the path
// would otherwise start at the root of the current drive.
std::string ExpandTarget(const std::string& target, const TargetPlaces& places);

// A number of the file table: decimal (or hexadecimal after "$" or "0x"),
// signed 32 bits. Anything else raises the runtime's conversion error.
std::int32_t TableNumber(const std::string& text);
// A stored file time, "low&high" with both halves signed 32-bit numbers.
port::FileTime StoredFileTime(const std::string& text);

// The numbers of one file-table entry: where its image starts in the setup
// data, how long it is, the stored time, and the size and CRC-32 of the
// content where Setup.inf stores them.
struct FileEntry {
  std::int32_t offset;
  std::int32_t length;
  port::FileTime time;
  std::optional<FileCheck> check;
};
// Throws for an entry (0-based index) whose numbers are not numbers or whose
// offsets run backwards, which would otherwise ask for a negative count, and
// for one without a well-formed check where Setup.inf has section Checksums.
// Entries are checked before any file is touched.
FileEntry CheckedFileEntry(const FileTable& table, int index);
// Checks every entry of the table.
void CheckFileTable(const FileTable& table);

// Installs the files of the file table from the setup data: each image is
// decompressed into its target, stamped with its stored time and recorded.
class Extraction {
 public:
  enum class Outcome { kDone, kCancelled, kNoSetupData };
  // Told of each file once it is complete and stamped: its key in the file
  // table and its full path. It may throw to end the run.
  using Recorder = std::function<void(int key, const std::string& path)>;

  Extraction(const FileTable& table, TargetPlaces places, const std::string& source_directory,
             InstallHost& host, Recorder record);

  // Checks the whole table, chooses the first volume, then installs every
  // entry in order, stopping before the next entry once the cancel is
  // confirmed (kCancelled). A cancel during the last entry leaves that file
  // unrecorded, and the result is kDone: no entry was left out.
  Outcome InstallFiles();
  // Installs entry index (0-based) of the file table. An existing target is
  // replaced only once the new file is complete and, where Setup.inf stores
  // its size and CRC-32, only with the content they describe; other content
  // ends the run with DamagedFileError.
  void DateiKopieren(int index);

 private:
  void StampFile(const std::string& target, port::FileTime time);

  const FileTable& table_;
  TargetPlaces places_;
  InstallHost& host_;
  Recorder record_;
  SetupDataReader reader_;
  ImageSource image_;
};

}  // namespace stp
