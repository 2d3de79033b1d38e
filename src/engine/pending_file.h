#pragma once

#include <cstddef>
#include <string>

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
  void Write(const void* data, std::size_t count) { file_.Write(data, count); }
  // Closes the file and puts it in the target's place. A target that
  // refuses to be replaced (read-only, in use) keeps its content, and the
  // new file goes.
  void Commit();

 private:
  std::string target_;
  std::string path_;  // the file written: beside the target, or the target itself
  port::File file_;
  bool committed_ = false;
};

}  // namespace stp
