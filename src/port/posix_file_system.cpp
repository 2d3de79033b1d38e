#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "port/ansi_text.h"
#include "port/errors.h"
#include "port/file_system.h"

namespace stp::port {
namespace {

std::string NativePath(const std::string& path) {
  std::string native = AnsiToUtf8(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

// Windows error numbers for POSIX failures, so that the user reads the same
// texts on every platform.
int WindowsErrorOf(int error) {
  switch (error) {
    case ENOENT: return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG: return kInvalidFileName;
    case EMFILE:
    case ENFILE: return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP: return kAccessDenied;  // ELOOP: a symbolic link where none is followed
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    case EBUSY:
    case ETXTBSY: return 32;  // sharing violation
    case EIO: return 1117;    // device I/O error
    case EFBIG: return 223;   // file too large
    default: return 31;       // general failure
  }
}

[[noreturn]] void ThrowIoError(const std::string& what, const std::string& path) {
  const int error = errno;
  throw IoError(WindowsErrorOf(error), what, path, std::strerror(error));
}

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// Windows keeps a read-only file from being written, replaced or truncated
// whatever the user's rights; POSIX lets root write it and the folder decide
// a rename. A file without its owner's write permission counts as read-only.
bool IsReadOnlyFile(const std::string& native) {
  struct stat info {};
  return ::lstat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR);
}

[[noreturn]] void RefuseReadOnly(const std::string& what, const std::string& path) {
  errno = EACCES;
  ThrowIoError(what, path);
}

// Opens path with flags, only when it is a regular file. Opening a pipe
// would wait for its other end, so the file is opened without waiting and
// switched back to ordinary reads and writes once it is known to be a file.
int OpenRegular(const std::string& path, int flags, const char* what) {
  const int fd = ::open(NativePath(path).c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) ThrowIoError(what, path);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool is_directory = S_ISDIR(info.st_mode);
    ::close(fd);
    if (is_directory) {
      errno = EISDIR;
      ThrowIoError(what, path);
    }
    throw IoError(kAccessDenied, what, path, "not a regular file");
  }
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    ThrowIoError(what, path);
  }
  return fd;
}

// Seconds and nanoseconds since 1970 of a Windows file time.
timespec TimespecOf(FileTime time) {
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t kEpochDifference = 11644473600LL;  // 1601 to 1970, in seconds
  const auto ticks = static_cast<std::int64_t>(time);
  std::int64_t seconds = ticks / kTicksPerSecond;
  std::int64_t rest = ticks % kTicksPerSecond;
  if (rest < 0) {
    rest += kTicksPerSecond;
    --seconds;
  }
  timespec stamp{};
  stamp.tv_sec = static_cast<time_t>(seconds - kEpochDifference);
  stamp.tv_nsec = static_cast<long>(rest * 100);
  return stamp;
}

FileTime FileTimeOf(const timespec& stamp) {
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t kEpochDifference = 11644473600LL;
  constexpr std::int64_t kLatestSecond = std::numeric_limits<std::int64_t>::max() / kTicksPerSecond - 1;
  const std::int64_t seconds = static_cast<std::int64_t>(stamp.tv_sec) + kEpochDifference;
  // Nothing on a Windows medium can be older than 1601, nor later than the
  // year 30828 where file times end.
  if (seconds < 0) return 0;
  if (seconds > kLatestSecond) return static_cast<FileTime>(std::numeric_limits<std::int64_t>::max());
  return static_cast<FileTime>(seconds * kTicksPerSecond + stamp.tv_nsec / 100);
}

}  // namespace

File::~File() {
  if (IsOpen()) ::close(Fd(handle_));
}

File::File(File&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) {
  other.handle_ = kClosed;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) ::close(Fd(handle_));
    handle_ = other.handle_;
    path_ = std::move(other.path_);
    other.handle_ = kClosed;
  }
  return *this;
}

File File::OpenRead(const std::string& path) { return File(OpenRegular(path, O_RDONLY, "open"), path); }

File File::Create(const std::string& path) {
  if (IsReadOnlyFile(NativePath(path))) RefuseReadOnly("create", path);
  return File(OpenRegular(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, "create"), path);
}

File File::OpenExisting(const std::string& path) {
  if (IsReadOnlyFile(NativePath(path))) RefuseReadOnly("open", path);
  return File(OpenRegular(path, O_WRONLY | O_NOFOLLOW, "open"), path);
}

File File::OpenAppend(const std::string& path) {
  if (IsReadOnlyFile(NativePath(path))) RefuseReadOnly("open", path);
  return File(OpenRegular(path, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW, "open"), path);
}

std::size_t File::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(Fd(handle_), out + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoError("read", path_);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void File::Write(const void* data, std::size_t count) {
  const auto* in = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(Fd(handle_), in + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoError("write", path_);
    }
    if (n == 0) {
      errno = ENOSPC;
      ThrowIoError("write", path_);
    }
    done += static_cast<std::size_t>(n);
  }
}

void File::Seek(std::int64_t position) {
  if (::lseek(Fd(handle_), static_cast<off_t>(position), SEEK_SET) < 0) ThrowIoError("seek in", path_);
}

std::int64_t File::Size() const {
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0) ThrowIoError("find the size of", path_);
  return static_cast<std::int64_t>(info.st_size);
}

void File::SetTimes(FileTime time) {
  const timespec stamp = TimespecOf(time);
  const timespec times[2] = {stamp, stamp};
  if (::futimens(Fd(handle_), times) != 0) ThrowIoError("set the times of", path_);
}

FileTime File::WriteTime() const {
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0) ThrowIoError("read the time of", path_);
  return FileTimeOf(info.st_mtim);
}

void File::Close() {
  if (!IsOpen()) return;
  const int fd = Fd(handle_);
  handle_ = kClosed;
  if (::close(fd) != 0) ThrowIoError("close", path_);
}

std::vector<DirectoryEntry> ListDirectory(const std::string& path) {
  DIR* dir = ::opendir(NativePath(path).c_str());
  if (dir == nullptr) ThrowIoError("list", path);
  std::vector<DirectoryEntry> entries;
  errno = 0;
  for (const dirent* entry; (entry = ::readdir(dir)) != nullptr; errno = 0) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    const auto ansi = Utf8ToAnsi(name);
    if (!ansi) {
      // Shown as Windows shows such a name to a program of its code page.
      IoError error(kInvalidFileName, "list", path,
                    "the name '" + Utf8ToAnsiLossy(name) + "' has characters that Windows-1252 cannot write");
      ::closedir(dir);
      throw error;
    }
    // Follows symbolic links, as opening the entry would.
    struct stat info {};
    const bool is_directory = ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({*ansi, is_directory});
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) {
    errno = error;
    ThrowIoError("list", path);
  }
  return entries;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

PathKind KindOf(const std::string& path) {
  struct stat info {};
  if (::lstat(NativePath(path).c_str(), &info) != 0) return PathKind::kMissing;
  if (S_ISLNK(info.st_mode)) return PathKind::kLink;
  if (S_ISDIR(info.st_mode)) return PathKind::kDirectory;
  if (S_ISREG(info.st_mode)) return PathKind::kFile;
  return PathKind::kOther;
}

void MakeDirectoryOrThrow(const std::string& path) {
  if (::mkdir(NativePath(path).c_str(), 0755) != 0) ThrowIoError("create the folder", path);
}

bool MakeDirectory(const std::string& path) { return ::mkdir(NativePath(path).c_str(), 0755) == 0; }

bool RemoveEmptyDirectory(const std::string& path) { return ::rmdir(NativePath(path).c_str()) == 0; }

bool RemoveFile(const std::string& path) { return ::unlink(NativePath(path).c_str()) == 0; }

bool RenameOver(const std::string& from, const std::string& to) {
  const std::string target = NativePath(to);
  if (IsReadOnlyFile(target)) return false;
  return ::rename(NativePath(from).c_str(), target.c_str()) == 0;
}

bool ClearFileAttributes(const std::string& path) {
  struct stat info {};
  const std::string native = NativePath(path);
  if (::stat(native.c_str(), &info) != 0) return false;
  return ::chmod(native.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

}  // namespace stp::port
