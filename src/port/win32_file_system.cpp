#include <windows.h>

#include "port/errors.h"
#include "port/file_system.h"

namespace stp::port {
namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Disk-full errors read as the runtime's "disk full" text.
int IoCodeOf(DWORD error) {
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) return kDiskFull;
  return static_cast<int>(error);
}

// The system's own words for an error, in English where the system has
// them (stptool speaks English), with the number that the German texts of
// Setup.exe are chosen by.
std::string SystemReason(DWORD error) {
  char text[256] = {};
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  DWORD length = FormatMessageA(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text,
                                sizeof text, nullptr);
  if (length == 0) length = FormatMessageA(flags, nullptr, error, 0, text, sizeof text, nullptr);
  std::string reason(text, length);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' || reason.back() == ' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = IoErrorEnglish(IoCodeOf(error));
  return reason + " (error " + std::to_string(error) + ")";
}

[[noreturn]] void ThrowIoError(const std::string& what, const std::string& path) {
  const DWORD error = GetLastError();
  throw IoError(IoCodeOf(error), what, path, SystemReason(error));
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// Opens only files on a disk: a device name such as NUL or a pipe is
// refused, and so is a reparse point (a symbolic link or junction) that
// writing would go through.
std::intptr_t OpenHandle(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                         const char* what) {
  const DWORD attributes = Attributes(path);
  if (access != GENERIC_READ && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    throw IoError(kAccessDenied, what, path, "a symbolic link");
  }
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowIoError(what, path);
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    throw IoError(kAccessDenied, what, path, "not a regular file");
  }
  return reinterpret_cast<std::intptr_t>(h);
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Windows refuses to write a read-only file; Wine lets its owner's rights
// decide, and root may write anything.
std::intptr_t OpenForWriting(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                             const char* what) {
  if (IsReadOnlyFile(path)) {
    SetLastError(ERROR_ACCESS_DENIED);
    ThrowIoError(what, path);
  }
  return OpenHandle(path, access, share, disposition, what);
}

}  // namespace

File::~File() {
  if (IsOpen()) CloseHandle(Handle(handle_));
}

File::File(File&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) {
  other.handle_ = kClosed;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (IsOpen()) CloseHandle(Handle(handle_));
    handle_ = other.handle_;
    path_ = std::move(other.path_);
    other.handle_ = kClosed;
  }
  return *this;
}

File File::OpenRead(const std::string& path) {
  return File(OpenHandle(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, "open"), path);
}

File File::Create(const std::string& path) {
  return File(OpenForWriting(path, GENERIC_WRITE, 0, CREATE_ALWAYS, "create"), path);
}

File File::OpenExisting(const std::string& path) {
  return File(OpenForWriting(path, GENERIC_WRITE, 0, OPEN_EXISTING, "open"), path);
}

File File::OpenAppend(const std::string& path) {
  // FILE_APPEND_DATA alone: the system puts every write at the end.
  // The launcher and its copy append to one log.
  return File(OpenForWriting(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS, "open"), path);
}

std::size_t File::Read(void* buffer, std::size_t count) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    DWORD got = 0;
    if (!ReadFile(Handle(handle_), out + done, static_cast<DWORD>(count - done), &got, nullptr)) {
      ThrowIoError("read", path_);
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

void File::Write(const void* data, std::size_t count) {
  DWORD written = 0;
  if (!WriteFile(Handle(handle_), data, static_cast<DWORD>(count), &written, nullptr)) {
    ThrowIoError("write", path_);
  }
  if (written != count) throw IoError(kDiskFull, "write", path_, "short write");
}

void File::Seek(std::int64_t position) {
  LARGE_INTEGER distance;
  distance.QuadPart = position;
  if (!SetFilePointerEx(Handle(handle_), distance, nullptr, FILE_BEGIN)) ThrowIoError("seek in", path_);
}

std::int64_t File::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Handle(handle_), &size)) ThrowIoError("find the size of", path_);
  return size.QuadPart;
}

void File::SetTimes(FileTime time) {
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(time & 0xFFFFFFFFu);
  ft.dwHighDateTime = static_cast<DWORD>(time >> 32);
  if (!SetFileTime(Handle(handle_), &ft, &ft, &ft)) ThrowIoError("set the times of", path_);
}

FileTime File::WriteTime() const {
  FILETIME ft;
  if (!GetFileTime(Handle(handle_), nullptr, nullptr, &ft)) ThrowIoError("read the time of", path_);
  return static_cast<FileTime>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime;
}

void File::Close() {
  if (!IsOpen()) return;
  HANDLE h = Handle(handle_);
  handle_ = kClosed;
  if (!CloseHandle(h)) ThrowIoError("close", path_);
}

std::vector<DirectoryEntry> ListDirectory(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) ThrowIoError("list", path);
  std::vector<DirectoryEntry> entries;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) {
    SetLastError(error);
    ThrowIoError("list", path);
  }
  return entries;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

PathKind KindOf(const std::string& path) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return PathKind::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kDirectory;
  return PathKind::kFile;
}

void MakeDirectoryOrThrow(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr)) ThrowIoError("create the folder", path);
}

bool MakeDirectory(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool RemoveEmptyDirectory(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool RenameOver(const std::string& from, const std::string& to) {
  // Wine's MoveFileEx replaces a read-only file, which Windows refuses.
  if (IsReadOnlyFile(to)) return false;
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool ClearFileAttributes(const std::string& path) {
  return SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

}  // namespace stp::port
