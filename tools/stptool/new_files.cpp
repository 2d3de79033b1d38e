#include "new_files.h"

#include "native_text.h"
#include "port/directory_path.h"
#include "tool_error.h"

namespace stptool {

NewFiles::~NewFiles() {
  if (kept_) return;
  for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
    if (it->folder) {
      stp::port::RemoveEmptyDirectory(it->path);
    } else {
      stp::port::RemoveFile(it->path);
    }
  }
}

stp::port::File NewFiles::Create(const std::string& path) {
  try {
    stp::port::File file = stp::port::File::Create(path);
    made_.push_back({path, false});
    return file;
  } catch (const stp::IoError& e) {
    throw ToolError("cannot create '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
}

void NewFiles::MakeFolder(const std::string& folder) {
  const std::string path = stp::WithoutTrailingBackslash(folder);
  if (stp::port::DirectoryExists(path)) return;
  try {
    stp::port::MakeDirectoryOrThrow(path);
  } catch (const stp::IoError& e) {
    throw ToolError("cannot create the folder '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
  made_.push_back({path, true});
}

}  // namespace stptool
