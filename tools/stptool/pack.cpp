#include "pack.h"

#include <algorithm>
#include <limits>
#include <map>
#include <span>

#include "lzh/lzh_encoder.h"
#include "native_text.h"
#include "new_files.h"
#include "port/directory_path.h"
#include "setup_data_writer.h"
#include "target_names.h"

namespace stptool {
namespace {

constexpr std::int64_t kLargestCount = std::numeric_limits<std::int32_t>::max();
// The longest offset Setup.inf can hold, for checking a [Files] value
// before its offset is known.
constexpr std::string_view kWidestOffset = "2147483647";

// A file of the source folder on its way into the medium.
struct SourceFile {
  int line;
  std::string path;  // core path
  std::string target;
  std::uint32_t size;
  stp::port::FileTime time;
};

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

std::string Joined(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "\\" + name;
}

// Every file below folder, names relative to it, in name order at each
// level so that the same folder always gives the same medium.
void ListFiles(const std::string& root, const std::string& relative, std::vector<std::string>& found) {
  auto entries = stp::port::ListDirectory(Joined(root, relative));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  for (const auto& entry : entries) {
    const std::string name = Joined(relative, entry.name);
    if (entry.is_directory) {
      ListFiles(root, name, found);
    } else {
      found.push_back(name);
    }
  }
}

class Packer {
 public:
  Packer(const ProductDescription& description, const std::string& source_directory)
      : description_(description), source_directory_(stp::WithTrailingBackslash(source_directory)) {}

  std::vector<SourceFile> CollectFiles() {
    std::vector<SourceFile> files;
    for (const FileSource& source : description_.files) {
      for (const auto& [path, target] : Expand(source)) files.push_back(Checked(source.line, path, target));
    }
    return files;
  }

  void CheckLinks(const std::vector<SourceFile>& files) const {
    for (const LinkSource& link : description_.links) {
      const bool installed = std::any_of(files.begin(), files.end(), [&](const SourceFile& file) {
        return Folded(file.target) == Folded(link.target) &&
               NameProblem(file.target, Placeholders::kRefused).empty();
      });
      if (!installed) {
        throw Fail(link.line, "the shortcut's target '" + Shown(link.target) +
                                  "' is none of the files installed below the destination folder");
      }
      if (const std::string problem = ProfileValueProblem(link.name + "," + link.target); !problem.empty()) {
        throw Fail(link.line, "the [Links] value of this shortcut " + problem);
      }
    }
  }

  ToolError Fail(int line, const std::string& message) const {
    return DescriptionError(description_.name, line, message);
  }

 private:
  // The source files of one [files] line with their targets.
  std::vector<std::pair<std::string, std::string>> Expand(const FileSource& source) {
    const std::string path = source_directory_ + source.source;
    std::vector<std::pair<std::string, std::string>> expanded;
    if (!source.folder) {
      if (stp::port::DirectoryExists(path)) {
        throw Fail(source.line, "'" + ShownPath(source.source) + "' is a folder; write '" +
                                    ShownPath(source.source) + "/' to take every file below it");
      }
      if (!stp::port::FileExists(path)) throw Fail(source.line, "no file '" + ShownPath(path) + "'");
      expanded.emplace_back(path, source.target);
      return expanded;
    }
    if (!stp::port::DirectoryExists(path)) throw Fail(source.line, "no folder '" + ShownPath(path) + "'");
    std::vector<std::string> names;
    try {
      ListFiles(stp::WithoutTrailingBackslash(path), "", names);
    } catch (const stp::IoError& e) {
      throw Fail(source.line, "cannot list '" + ShownPath(path) + "': " + Shown(e.Detail()));
    }
    if (names.empty()) throw Fail(source.line, "the folder '" + ShownPath(path) + "' holds no files");
    for (const std::string& name : names) {
      expanded.emplace_back(Joined(stp::WithoutTrailingBackslash(path), name), Joined(source.target, name));
    }
    return expanded;
  }

  SourceFile Checked(int line, const std::string& path, const std::string& target) {
    const std::string shown = "the target '" + Shown(target) + "' ";
    if (const std::string problem = NameProblem(target, Placeholders::kAllowed); !problem.empty()) {
      throw Fail(line, shown + problem);
    }
    if (target.find(',') != std::string::npos) {
      throw Fail(line, shown + "holds ',', which ends a target in Setup.inf");
    }
    const auto [first, inserted] = lines_by_target_.emplace(Folded(target), line);
    if (!inserted) throw Fail(line, shown + "is also written by line " + std::to_string(first->second));

    SourceFile file{line, path, target, 0, 0};
    try {
      stp::port::File opened = stp::port::File::OpenRead(path);
      const std::int64_t size = opened.Size();
      if (size > kLargestCount) throw Fail(line, "'" + ShownPath(path) + "' is larger than 2 GB");
      file.size = static_cast<std::uint32_t>(size);
      file.time = opened.WriteTime();
    } catch (const stp::IoError& e) {
      throw Fail(line, "cannot read '" + ShownPath(path) + "': " + Shown(e.what()));
    }
    const std::string value = target + "," + std::string(kWidestOffset) + "|" + FileTimeText(file.time);
    if (const std::string problem = ProfileValueProblem(value); !problem.empty()) {
      throw Fail(line, "the [Files] value of " + shown + problem);
    }
    return file;
  }

  const ProductDescription& description_;
  std::string source_directory_;
  std::map<std::string, int> lines_by_target_;
};

std::string SetupFolder(const std::string& out, DiskFolders disks) {
  switch (disks) {
    case DiskFolders::kNone:
    case DiskFolders::kBelow: return out;
    case DiskFolders::kBeside: return out + "Disk1\\";
  }
  return out;
}

std::string VolumeFolder(const std::string& out, DiskFolders disks, int volume) {
  switch (disks) {
    case DiskFolders::kNone: return out;
    case DiskFolders::kBelow:
    case DiskFolders::kBeside: return out + "Disk" + std::to_string(volume) + "\\";
  }
  return out;
}

std::vector<std::uint8_t> WholeFile(const std::string& path) {
  stp::port::File file = stp::port::File::OpenRead(path);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
  bytes.resize(file.Read(bytes.data(), bytes.size()));
  return bytes;
}

void WriteFile(NewFiles& files, const std::string& path, std::span<const std::uint8_t> bytes) {
  stp::port::File file = files.Create(path);
  file.Write(bytes.data(), bytes.size());
  file.Close();
}

std::string SetupInf(const ProductDescription& description, const PackResult& result,
                     std::uint64_t total_bytes) {
  std::string inf = "[General]\r\n";
  for (const auto& [key, value] : description.general) inf += key + "=" + value + "\r\n";
  inf += "Bytes=" + std::to_string(total_bytes) + "\r\n";
  inf += "NextOffset=" + std::to_string(result.data_size) + "\r\n";
  inf += "\r\n[Files]\r\n";
  for (std::size_t i = 0; i < result.files.size(); ++i) {
    const PackedFile& file = result.files[i];
    inf += std::to_string(i + 1) + "=" + file.target + "," + std::to_string(file.offset) + "|" +
           FileTimeText(file.time) + "\r\n";
  }
  inf += "\r\n[Links]\r\n";
  for (std::size_t i = 0; i < description.links.size(); ++i) {
    inf +=
        std::to_string(i + 1) + "=" + description.links[i].name + "," + description.links[i].target + "\r\n";
  }
  return inf;
}

void CheckOptions(const PackOptions& options) {
  if (options.first_volume_size < 0 || options.first_volume_size > kLargestCount) {
    throw ToolError("the first volume's size is 1 to 2147483647 bytes", kUserError);
  }
  if (options.first_volume_size == 0 && options.disk_folders != DiskFolders::kNone) {
    throw ToolError("Disk folders need volumes: give the first volume's size too", kUserError);
  }
  for (const std::string* path : {&options.picture, &options.setup_program}) {
    if (!path->empty() && !stp::port::FileExists(*path)) {
      throw ToolError("no file '" + ShownPath(*path) + "'", kUserError);
    }
  }
}

void CheckOutFolder(const std::string& out) {
  if (stp::port::FileExists(out)) throw ToolError("'" + ShownPath(out) + "' is a file", kUserError);
  // A medium read together with files left from another one would not fit
  // its Setup.inf, so pack writes only into a new or empty folder.
  if (stp::port::DirectoryExists(out) && !stp::port::ListDirectory(out).empty()) {
    throw ToolError("'" + ShownPath(out) + "' is not empty", kUserError);
  }
}

}  // namespace

std::string FileTimeText(stp::port::FileTime time) {
  const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(time));
  const auto high = static_cast<std::int32_t>(static_cast<std::uint32_t>(time >> 32));
  return std::to_string(low) + "&" + std::to_string(high);
}

PackResult Pack(const ProductDescription& description, const std::string& source_directory,
                const std::string& out_directory, const PackOptions& options, Progress& progress) {
  CheckOptions(options);
  Packer packer(description, source_directory);
  const std::vector<SourceFile> sources = packer.CollectFiles();
  packer.CheckLinks(sources);
  std::uint64_t total_bytes = 0;
  for (const SourceFile& file : sources) total_bytes += file.size;
  if (total_bytes > static_cast<std::uint64_t>(kLargestCount)) {
    throw ToolError(
        "the files hold " + std::to_string(total_bytes) + " bytes; Setup.inf counts at most 2147483647",
        kUserError);
  }

  const std::string out = stp::WithTrailingBackslash(out_directory);
  CheckOutFolder(stp::WithoutTrailingBackslash(out));
  NewFiles made;
  made.MakeFolder(out);
  PackResult result{SetupFolder(out, options.disk_folders), {}, 0, 0};
  made.MakeFolder(result.setup_directory);
  SetupDataWriter data([&](int volume) { return VolumeFolder(out, options.disk_folders, volume); },
                       options.first_volume_size, made);

  progress.Start(total_bytes);
  std::uint64_t done = 0;
  for (const SourceFile& source : sources) {
    progress.Show(done, source.target);
    std::vector<std::uint8_t> bytes;
    try {
      bytes = WholeFile(source.path);
    } catch (const stp::IoError& e) {
      throw packer.Fail(source.line, "cannot read '" + ShownPath(source.path) + "': " + Shown(e.what()));
    }
    if (bytes.size() != source.size) {
      throw packer.Fail(source.line, "'" + ShownPath(source.path) + "' changed");
    }
    const std::vector<std::uint8_t> image = stp::LzhEncode(bytes);
    if (data.Size() + static_cast<std::int64_t>(image.size()) > kLargestCount) {
      throw ToolError("the setup data would pass 2147483647 bytes, which Setup.inf cannot count", kUserError);
    }
    result.files.push_back({source.target, static_cast<std::int32_t>(data.Size()),
                            static_cast<std::int32_t>(image.size()), source.size, source.time});
    data.Append(image);
    done += source.size;
  }
  data.Finish();
  progress.Finish();
  result.data_size = static_cast<std::int32_t>(data.Size());
  result.volumes = data.Volumes();

  const std::string inf = SetupInf(description, result, total_bytes);
  WriteFile(made, result.setup_directory + "Setup.inf",
            std::span(reinterpret_cast<const std::uint8_t*>(inf.data()), inf.size()));
  if (!options.picture.empty()) {
    WriteFile(made, result.setup_directory + "setup.bmp", WholeFile(options.picture));
  }
  if (!options.setup_program.empty()) {
    WriteFile(made, result.setup_directory + "Setup.exe", WholeFile(options.setup_program));
  }
  made.Keep();
  return result;
}

}  // namespace stptool
