#include "engine/setup_data_reader.h"

#include "port/errors.h"

namespace stp {
namespace {

constexpr const char* kMismatch = "Der Setup-Datensatz passt nicht zur Dateiliste in Setup.inf";

Error MismatchError(const std::string& english) {
  return Error(kMismatch, "the setup data do not fit the file table of Setup.inf: " + english, english);
}

// The parent of a directory that ends in "\": without that "\", cut after
// its last "\" or ":".
std::string ParentDirectory(const std::string& directory) {
  const std::string trimmed = directory.substr(0, directory.size() - 1);
  const auto cut = trimmed.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : trimmed.substr(0, cut + 1);
}

}  // namespace

Error MissingDiskError(int number) {
  const std::string n = std::to_string(number);
  return Error("Die Installationsdiskette " + n + " wurde nicht eingelegt, die Installation wird abgebrochen",
               "volume " + n + " (Setup" + n + ".stp) was not given when it was asked for", {});
}

Error IncompleteDataError(const std::string& path, const std::string& why) {
  return Error("Der Setup-Datensatz " + path + " ist unvollständig", "'" + path + "' is incomplete: " + why,
               why);
}

SetupDataReader::SetupDataReader(std::string source_directory, InstallHost& host)
    : source_directory_(std::move(source_directory)), host_(host) {}

std::string SetupDataReader::VolumeName(int number) const { return "Setup" + std::to_string(number) + ".stp"; }

bool SetupDataReader::ChooseFirstVolume() {
  DiskNumber = 0;
  if (port::FileExists(source_directory_ + "Setup.stp")) {
    source_path_ = source_directory_ + "Setup.stp";
    return true;
  }
  const std::string beside = source_directory_ + VolumeName(1);
  const std::string below = source_directory_ + "Disk1\\" + VolumeName(1);
  if (port::FileExists(below)) {
    source_path_ = below;
  } else if (port::FileExists(beside)) {
    source_path_ = beside;
  } else {
    return false;
  }
  DiskNumber = 1;
  port::File first = port::File::OpenRead(source_path_);
  FirstVolumeSize = first.Size();
  first.Close();
  return true;
}

void SetupDataReader::Open() {
  if (volume_missing_) throw MissingDiskError(DiskNumber);
  SourceFile = port::File::OpenRead(source_path_);
}

bool SetupDataReader::PositionAt(std::int32_t offset) {
  if (offset < 0) throw MismatchError("the offset " + std::to_string(offset) + " is negative");
  const std::int64_t size = SourceFile.Size();
  if (DiskNumber < 2 && offset < size) {
    SourceFile.Seek(offset);
    return true;
  }
  if (DiskNumber == 0) {
    // An image may start at the very end only when it is empty; the read
    // budget then keeps the reader from going further.
    if (offset > size) {
      throw MismatchError("the offset " + std::to_string(offset) + " lies beyond the end of '" +
                          source_path_ + "' (" + std::to_string(size) + " bytes)");
    }
    SourceFile.Seek(offset);
    return true;
  }
  // Start of the current volume within the stream: volume 1 starts at 0,
  // volume k at FirstVolumeSize + (k - 2) * kLaterVolumeSize.
  const auto volume_start = [this](int disk) {
    return disk < 2 ? 0 : FirstVolumeSize + (disk - 2) * kLaterVolumeSize;
  };
  if (offset == volume_start(DiskNumber + 1) && !NextSetupData()) return false;
  const std::int64_t position = offset - volume_start(DiskNumber);
  // Images follow each other, so an image starts in the volume that the one
  // before it ended in. Anything else would read another image's bytes.
  if (position < 0 || position > SourceFile.Size()) {
    throw MismatchError("the offset " + std::to_string(offset) + " is not in volume " +
                        std::to_string(DiskNumber) + " ('" + source_path_ + "'), which holds the bytes " +
                        std::to_string(volume_start(DiskNumber)) + " to " +
                        std::to_string(volume_start(DiskNumber) + SourceFile.Size()) + " of the setup data");
  }
  SourceFile.Seek(position);
  return true;
}

bool SetupDataReader::NextSetupData() {
  // The offsets of the file table count every later volume as exactly
  // kLaterVolumeSize bytes. Going on after a shorter one would continue the
  // image with bytes from further on in the stream.
  if (DiskNumber >= 2 && SourceFile.IsOpen()) {
    const std::int64_t size = SourceFile.Size();
    if (size < kLaterVolumeSize) {
      throw IncompleteDataError(source_path_, "it holds " + std::to_string(size) +
                                                  " bytes, and every volume but the last holds " +
                                                  std::to_string(kLaterVolumeSize));
    }
    if (size > kLaterVolumeSize) {
      throw MismatchError("'" + source_path_ + "' holds " + std::to_string(size) + " bytes, more than the " +
                          std::to_string(kLaterVolumeSize) + " of a volume");
    }
  }
  // The data continue on the next volume only once this one is full, and
  // no medium has a first volume without a byte: an empty one here is what
  // is wrong, not the later volumes that the offsets would be shifted onto.
  if (DiskNumber == 1 && FirstVolumeSize == 0) {
    throw IncompleteDataError(source_path_, "it is empty, though the setup data begin in it");
  }
  const int number = ++DiskNumber;
  SourceFile.Close();
  // Each OK at the prompt looks in every place again: the volume may have
  // been put into its Disk folder in the meantime.
  std::string path;
  while ((path = FindVolume(number)).empty()) {
    if (!host_.AskForDisk(number, source_directory_)) {
      volume_missing_ = true;
      return false;
    }
  }
  source_path_ = path;
  SourceFile = port::File::OpenRead(source_path_);
  return true;
}

std::string SetupDataReader::FindVolume(int number) const {
  const std::string disk_folder = "Disk" + std::to_string(number) + "\\";
  const std::string folders[] = {
      source_directory_,
      source_directory_ + disk_folder,
      ParentDirectory(source_directory_) + disk_folder,
  };
  for (const std::string& folder : folders) {
    if (port::FileExists(folder + VolumeName(number))) return folder + VolumeName(number);
  }
  return {};
}

std::size_t SetupDataReader::Read(void* buffer, std::size_t count) {
  return SourceFile.IsOpen() ? SourceFile.Read(buffer, count) : 0;
}

std::size_t SetupDataReader::ReadAcross(void* buffer, std::size_t count) {
  std::size_t got = Read(buffer, count);
  if (got == count) return got;
  if (IsSingleFile()) {
    throw IncompleteDataError(source_path_, "it ends after " + std::to_string(SourceFile.Size()) +
                                                " bytes, inside the data of a file");
  }
  if (NextSetupData()) {
    got += Read(static_cast<char*>(buffer) + got, count - got);
  } else if (!host_.CancelConfirmed()) {
    throw MissingDiskError(DiskNumber);
  }
  return got;
}

void SetupDataReader::Close() { SourceFile.Close(); }

}  // namespace stp
