#pragma once

#include <stdexcept>
#include <string>

namespace stptool {

enum ExitStatus : int {
  kSuccess = 0,
  // Reading or writing failed part-way (a full disk, a device error).
  kFailed = 1,
  // Bad arguments, an input that cannot be read, an output that cannot be
  // created, a product description that breaks its rules.
  kUserError = 2,
  // A medium whose Setup.inf or setup data do not fit together, or whose
  // names would leave the destination folder.
  kDamaged = 3,
};

// A failure worth one line on stderr, in plain English, and the exit status
// it ends the program with.
class ToolError : public std::runtime_error {
 public:
  ToolError(const std::string& message, ExitStatus status) : std::runtime_error(message), status_(status) {}
  ExitStatus Status() const { return status_; }

 private:
  ExitStatus status_;
};

}  // namespace stptool
