#include "setup/profile_writer.h"

#include "port/file_system.h"
#include "setup/profile.h"

namespace stp {

Error ProfileWriteError(const std::string& path, std::string detail) {
  return Error("Kann nicht nach " + path + " schreiben", std::move(detail));
}

void PortableProfileWriter::WriteString(const std::string& path, const std::string& section,
                                        const std::string& key, const std::string& value) {
  std::string content;
  try {
    port::File file = port::File::OpenRead(path);
    content.resize(static_cast<std::size_t>(file.Size()));
    content.resize(file.Read(content.data(), content.size()));
  } catch (const IoError& e) {
    // A file that is not there yet is made; one that cannot be read is not
    // written over.
    if (e.Code() != kFileNotFound) throw ProfileWriteError(path, e.Detail());
  }
  ProfileFile profile = ProfileFile::Parse(content);
  if (!profile.WriteString(section, key, value)) return;
  const std::string text = profile.Text();
  try {
    port::File file = port::File::Create(path);
    file.Write(text.data(), text.size());
    file.Close();
  } catch (const IoError& e) {
    throw ProfileWriteError(path, e.Detail());
  }
}

}  // namespace stp
