#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "port/errors.h"
#include "port/file_system.h"

namespace stp {

// The file an image is decoded into: a new file beside the target, under a
// name of its own, that takes the target's place only once it is complete.
// A cancel or a failure part-way thus leaves a file already at the target
// as it was, and nothing half-written behind.
class PendingFile {
 public:
  // Creates the new file. Where the folder takes no new file, a target that
  // is there is written directly instead; when neither can be opened,
  // IsOpen() is false and the caller throws the decoded bytes away.
  explicit PendingFile(std::string target);
  // Removes the new file unless it has taken the target's place.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  bool IsOpen() const { return file_.IsOpen(); }
  // Why the target could not be created, while IsOpen() is false.
  const std::optional<IoError>& CreateError() const { return create_error_; }
  // A failure names the target, not the file beside it.
  void Write(const void* data, std::size_t count);
  // Closes the file and puts it in the target's place. A target that
  // refuses to be replaced (read-only, in use) keeps its content, and the
  // new file goes.
  void Commit();
  // Removes what was written, the target too where it was written directly.
  // Nothing when the file could not be created.
  void Discard();

 private:
  std::string target_;
  std::string path_;  // the file written: beside the target, or the target itself
  port::File file_;
  std::optional<IoError> create_error_;
  bool settled_ = false;  // put in the target's place, or discarded
};

}  // namespace stp
