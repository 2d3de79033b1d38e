#include "support/medium.h"

#include <filesystem>
#include <sstream>

#include "engine/extraction.h"
#include "port/directory_path.h"
#include "stptool/pack.h"

namespace stp::test {

FileTable WriteMedium(const TempDir& dir, const std::vector<MediumFile>& files,
                      std::int64_t first_volume_size) {
  TempDir source;
  stptool::ProductDescription description{"test", {}, {}, {}};
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string name = "file" + std::to_string(i);
    WriteFileAt(source, name, files[i].content, StoredFileTime(files[i].time));
    description.files.push_back({static_cast<int>(i + 1), name, false, files[i].target});
  }
  stptool::PackOptions options;
  options.first_volume_size = first_volume_size;
  stptool::Progress quiet(false);
  stptool::Pack(description, source.Path(), dir.Path(), options, quiet);
  return LoadFileTable(ProfileFile::Load(dir.Path() + "Setup.inf"));
}

void WriteFileAt(const TempDir& dir, const std::string& name, const std::string& content,
                 port::FileTime time) {
  const std::string path = dir.Path() + name;
  MakeDirectoryPath(path.substr(0, path.rfind('\\')));
  port::File file = port::File::Create(path);
  file.Write(content.data(), content.size());
  file.SetTimes(time);
  file.Close();
}

std::string ReadFileAt(const std::string& path) {
  port::File file = port::File::OpenRead(path);
  std::string content(static_cast<std::size_t>(file.Size()), '\0');
  content.resize(file.Read(content.data(), content.size()));
  return content;
}

port::FileTime WriteTimeAt(const std::string& path) { return port::File::OpenRead(path).WriteTime(); }

void FlipByte(const TempDir& dir, const std::string& name, std::int64_t position) {
  std::string bytes = dir.Read(name);
  if (position < 0) position += static_cast<std::int64_t>(bytes.size());
  bytes[static_cast<std::size_t>(position)] ^= 0x55;
  dir.Write(name, bytes);
}

bool HoldsPendingFile(const TempDir& dir) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Native())) {
    if (entry.path().filename().string().starts_with("~stp")) return true;
  }
  return false;
}

std::vector<std::string> LogLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(20, line.size() - 21));
  return lines;
}

}  // namespace stp::test
