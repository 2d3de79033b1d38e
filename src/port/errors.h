#pragma once

#include <stdexcept>
#include <string>

namespace stp {

// A failure the user reads about, told in the two languages of the two
// programs that share the core. what() is the German message as Setup.exe
// shows it (without the closing period the error display adds); English()
// is what stptool says of the same failure, naming the file and the numbers
// behind it. Detail() is for developers.
class Error : public std::runtime_error {
 public:
  // A failure only the windows of Setup.exe report: no English text.
  explicit Error(const std::string& german, std::string detail = {});
  Error(const std::string& german, std::string english, std::string detail);

  // Empty for a failure that only Setup.exe reports.
  const std::string& English() const { return english_; }
  const std::string& Detail() const { return detail_; }

 private:
  std::string english_;
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

// An input/output failure: carries its error number, whose German text is
// the message. The English message says what could not be done to which
// file, and why in the platform's words: "cannot write 'a.txt': File too
// large".
class IoError : public Error {
 public:
  // action: "open", "create", "read", "write", ... (a verb that "cannot"
  // goes before); reason: why, as the platform says it.
  IoError(int code, const std::string& action, std::string path, std::string reason);

  int Code() const { return code_; }
  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  int code_;
  std::string path_;
  std::string reason_;
};

// The German text for an input/output error number.
std::string IoErrorText(int code);
// The same in English, for stptool.
std::string IoErrorEnglish(int code);

}  // namespace stp
