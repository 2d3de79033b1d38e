#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/install_host.h"
#include "port/errors.h"
#include "port/file_system.h"

namespace stp {

// The run cannot go on: the diskette prompt for this volume ended without it.
Error MissingDiskError(int number);

// The setup data file at path ends before the stream the file table
// describes; why, in English.
Error IncompleteDataError(const std::string& path, const std::string& why);

// Reads the setup data: one logical stream of compressed file images, stored
// whole in Setup.stp or cut into volumes Setup1.stp, Setup2.stp, ... (one per
// diskette). Every volume after the first holds exactly kLaterVolumeSize
// bytes but the last. The reader goes forward only, volume by volume.
class SetupDataReader {
 public:
  static constexpr std::int64_t kLaterVolumeSize = 1457664;

  // source_directory ends in "\".
  SetupDataReader(std::string source_directory, InstallHost& host);

  // Finds the first volume: Setup.stp, else Setup1.stp, else (winning when
  // both exist) Disk1\Setup1.stp. False when there is no setup data at all.
  bool ChooseFirstVolume();

  // Opens the current volume (at the start of each file's extraction).
  // Throws once a diskette prompt has ended without its volume: the reader
  // then has no current volume to go on with.
  void Open();
  // Positions the stream at offset, opening the next volume first when the
  // image starts exactly at its beginning. False when that volume could not
  // be had (the diskette prompt ended without one).
  bool PositionAt(std::int32_t offset);
  // Closes the current volume, looks for the next one (source directory,
  // "Disk" + N below it, "Disk" + N beside it) and asks for its diskette
  // while it is missing. False, with no volume open, when the prompt ended
  // otherwise than with OK. Throws when a later volume does not hold
  // exactly kLaterVolumeSize bytes though another one follows it, and when
  // the first volume is empty.
  bool NextSetupData();
  // Reads from the open volume; fewer bytes at its end, none when no volume
  // is open.
  std::size_t Read(void* buffer, std::size_t count);
  // Reads count bytes of the stream: from the open volume and, when it ends
  // first, on from the start of the next one, so that one read crosses at
  // most one volume boundary. Fewer bytes when that volume is short, or
  // when its diskette prompt ended with the cancel confirmed. Throws for a
  // Setup.stp that ends early and for a prompt that ended otherwise.
  std::size_t ReadAcross(void* buffer, std::size_t count);
  void Close();

  bool IsOpen() const { return SourceFile.IsOpen(); }
  // True for the single-file layout (Setup.stp).
  bool IsSingleFile() const { return DiskNumber == 0; }
  int CurrentDisk() const { return DiskNumber; }
  const std::string& CurrentVolumePath() const { return source_path_; }

 private:
  std::string VolumeName(int number) const;
  // Volume number in the source directory, in "Disk" + number below it, or
  // in "Disk" + number beside it, the first that holds it; empty when none.
  std::string FindVolume(int number) const;

  std::string source_directory_;
  InstallHost& host_;
  std::string source_path_;  // the name of SourceFile, kept between opens
  bool volume_missing_ = false;  // a diskette prompt ended without the volume
  port::File SourceFile;
  int DiskNumber = 0;
  std::int64_t FirstVolumeSize = 0;
};

}  // namespace stp
