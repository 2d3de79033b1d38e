#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The few file-system calls the portable core needs.
//
// Paths are Windows paths in the ANSI code page (Windows-1252) with "\"
// between their parts, as Setup.inf writes them. The Win32 implementation
// hands them to the ...A functions unchanged; the POSIX implementation turns
// them into UTF-8 paths with "/" at this seam. Failures of File throw
// stp::IoError with the Windows error number.
namespace stp::port {

// 100-nanosecond intervals since 1 January 1601, UTC (a Windows FILETIME).
using FileTime = std::uint64_t;

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file read-only. Only a regular file opens: a pipe or
  // a device is refused at once, without waiting for a writer.
  static File OpenRead(const std::string& path);
  // Creates a file for writing, or truncates it when it exists. Refuses a
  // read-only file (kAccessDenied), a symbolic link in the last part of the
  // path (POSIX) and anything but a regular file.
  static File Create(const std::string& path);
  // Opens an existing file for writing only, without sharing; used to stamp
  // its times. Does not create the file; refuses a read-only file and does
  // not follow a symbolic link in the last part of the path (POSIX).
  static File OpenExisting(const std::string& path);
  // Opens a file for appending, creating it when missing: every write goes
  // to its end. Others may read it meanwhile (a log followed while it
  // grows). Refuses what Create refuses.
  static File OpenAppend(const std::string& path);

  bool IsOpen() const { return handle_ != kClosed; }
  // Reads up to count bytes; fewer only at the end of the file.
  std::size_t Read(void* buffer, std::size_t count);
  // Writes all count bytes or throws (a full disk is kDiskFull).
  void Write(const void* data, std::size_t count);
  void Seek(std::int64_t position);
  std::int64_t Size() const;
  // Sets creation, last-access and last-write time (where the platform
  // keeps a creation time).
  void SetTimes(FileTime time);
  // The last-write time, as the media tool stores it for each file.
  FileTime WriteTime() const;
  void Close();

 private:
  static constexpr std::intptr_t kClosed = -1;
  File(std::intptr_t handle, std::string path) : handle_(handle), path_(std::move(path)) {}

  std::intptr_t handle_ = kClosed;
  std::string path_;
};

struct DirectoryEntry {
  std::string name;
  bool is_directory;
};

// The entries of a directory, without "." and "..", in no particular order.
// Throws IoError when it cannot be read, or when a name has no
// Windows-1252 form (POSIX).
std::vector<DirectoryEntry> ListDirectory(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

enum class PathKind { kMissing, kFile, kDirectory, kLink, kOther };
// What lies at path, without following a symbolic link in its last part (on
// Windows a reparse point counts as a link). kOther: a pipe, a device, a
// socket. kMissing also when the path cannot be examined.
PathKind KindOf(const std::string& path);

// Creates the directory (its parent must exist), or throws IoError saying
// why it cannot.
void MakeDirectoryOrThrow(const std::string& path);
// The functions below report failure by their result only.
bool MakeDirectory(const std::string& path);
bool RemoveEmptyDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Moves the file from onto to in the same folder, replacing a file there in
// one step. A read-only file, one in use or a folder at to refuses.
bool RenameOver(const std::string& from, const std::string& to);
// Lifts every attribute, a read-only flag included.
bool ClearFileAttributes(const std::string& path);

}  // namespace stp::port
