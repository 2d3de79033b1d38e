#pragma once

#include <stdexcept>
#include <string>

namespace stp {

// A failure the user reads about. what() is the German message as the user
// sees it (without the closing period the error display adds); Detail() is
// for developers: the file, the offset, the numbers behind it.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::string detail = {});
  const std::string& Detail() const { return detail_; }

 private:
  std::string detail_;
};

// Error numbers of input/output failures, as the Windows runtime reports them.
enum IoErrorCode : int {
  kFileNotFound = 2,
  kInvalidFileName = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kInvalidHandle = 6,
  kReadBeyondEnd = 100,
  kDiskFull = 101,
};

// An input/output failure: carries its error number; its message is the
// German text for that number.
class IoError : public Error {
 public:
  IoError(int code, std::string detail);
  int Code() const { return code_; }

 private:
  int code_;
};

// The German text for an input/output error number.
std::string IoErrorText(int code);

}  // namespace stp
