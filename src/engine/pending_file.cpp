#include "engine/pending_file.h"

#include "port/errors.h"

namespace stp {
namespace {

// A name in the target's folder that nothing uses yet.
std::string FreeNameBeside(const std::string& target) {
  const std::string folder = target.substr(0, target.rfind('\\') + 1);
  for (int number = 0;; ++number) {
    std::string path = folder + "~stp" + std::to_string(number) + ".tmp";
    if (!port::FileExists(path) && !port::DirectoryExists(path)) return path;
  }
}

}  // namespace

PendingFile::PendingFile(std::string target) : target_(std::move(target)), path_(FreeNameBeside(target_)) {
  try {
    file_ = port::File::Create(path_);
    return;
  } catch (const IoError&) {
  }
  path_ = target_;
  try {
    file_ = port::File::Create(target_);
  } catch (const IoError& e) {
    create_error_ = e;
  }
}

PendingFile::~PendingFile() {
  if (settled_ || path_ == target_) return;
  try {
    file_.Close();
  } catch (const IoError&) {
  }
  port::RemoveFile(path_);
}

void PendingFile::Write(const void* data, std::size_t count) {
  try {
    file_.Write(data, count);
  } catch (const IoError& e) {
    throw IoError(e.Code(), "write", target_, e.Reason());
  }
}

void PendingFile::Discard() {
  if (!file_.IsOpen()) return;  // nothing was written; a target there is not ours
  try {
    file_.Close();
  } catch (const IoError&) {
  }
  settled_ = true;
  port::RemoveFile(path_);
}

void PendingFile::Commit() {
  file_.Close();
  settled_ = true;
  if (path_ != target_ && !port::RenameOver(path_, target_)) port::RemoveFile(path_);
}

}  // namespace stp
