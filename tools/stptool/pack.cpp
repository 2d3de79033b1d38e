#include "pack.h"

#include <algorithm>
#include <limits>
#include <map>
#include <span>

#include "engine/content_check.h"
#include "lzh/lzh_encoder.h"
#include "medium.h"
#include "native_text.h"
#include "new_files.h"
#include "port/directory_path.h"
#include "setup/profile.h"
#include "setup_data_writer.h"
#include "signals.h"
#include "target_names.h"

namespace stptool {
namespace {

constexpr std::int64_t kLargestCount = std::numeric_limits<std::int32_t>::max();
// The longest offset Setup.inf can hold, for checking a [Files] value
// before its offset is known.
constexpr std::string_view kWidestOffset = "2147483647";
constexpr std::size_t kCopyBlock = 64 * 1024;
// The launcher comes from the command line, not from a line of the
// description.
constexpr int kLauncherLine = 0;

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

class Packer {
 public:
  Packer(const ProductDescription& description, const std::string& source_directory)
      : description_(description), source_directory_(stp::WithTrailingBackslash(source_directory)) {}

  // The described files, then the launcher (a core path; empty: none).
  std::vector<SourceFile> CollectFiles(const std::string& launcher) {
    std::vector<SourceFile> files;
    for (const FileSource& source : description_.files) {
      for (const auto& [path, target] : Expand(source)) files.push_back(Checked(source.line, path, target));
    }
    // Setup.exe would install nothing, and the medium would read as damaged.
    if (files.empty()) {
      throw ToolError(description_.name + ": [files] lists no file; a medium needs at least one", kUserError);
    }
    if (!launcher.empty()) files.push_back(Checked(kLauncherLine, launcher, std::string(kLauncherTarget)));
    return files;
  }

  void CheckLinks(const std::vector<SourceFile>& files) const {
    for (const LinkSource& link : description_.links) {
      const bool installed = std::any_of(files.begin(), files.end(), [&](const SourceFile& file) {
        return Folded(file.target) == Folded(link.target) &&
               NameProblem(file.target, Placeholders::kRefused).empty();
      });
      if (!installed) {
        throw Fail(link.line, "the shortcut's target '" + ShownPath(link.target) +
                                  "' is none of the files installed below the destination folder");
      }
      if (const std::string problem = ProfileValueProblem(link.name + "," + link.target); !problem.empty()) {
        throw Fail(link.line, "the [Links] value of this shortcut " + problem);
      }
    }
  }

  ToolError Fail(int line, const std::string& message) const {
    if (line == kLauncherLine) return ToolError("-l: " + message, kUserError);
    return DescriptionError(description_.name, line, message);
  }

 private:
  // The first file that a target (letter case folded) was given to.
  struct Claim {
    int line;
    std::string target;
    std::string path;
  };

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
    ListFiles(source.line, stp::WithoutTrailingBackslash(path), "", names);
    if (names.empty()) throw Fail(source.line, "the folder '" + ShownPath(path) + "' holds no files");
    for (const std::string& name : names) {
      expanded.emplace_back(Joined(stp::WithoutTrailingBackslash(path), name), Joined(source.target, name));
    }
    return expanded;
  }

  // Every file below the folder root, names relative to it, in name order
  // at each level so that the same folder always gives the same medium.
  void ListFiles(int line, const std::string& root, const std::string& relative,
                 std::vector<std::string>& found) {
    const std::string folder = Joined(root, relative);
    // No target can be that long; a folder that holds itself through a
    // symbolic link would otherwise be listed for ever.
    if (relative.size() >= stp::ProfileFile::kValueBufferSize) {
      throw Fail(line,
                 "'" + ShownPath(folder) + "' lies deeper than any target can name; does a link lead back?");
    }
    std::vector<stp::port::DirectoryEntry> entries;
    try {
      entries = stp::port::ListDirectory(folder);
    } catch (const stp::IoError& e) {
      throw Fail(line, "cannot list '" + ShownPath(folder) + "': " + IoReason(e));
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    for (const auto& entry : entries) {
      const std::string name = Joined(relative, entry.name);
      if (entry.is_directory) {
        ListFiles(line, root, name, found);
      } else {
        found.push_back(name);
      }
    }
  }

  SourceFile Checked(int line, const std::string& path, const std::string& target) {
    const std::string shown = "the target '" + ShownPath(target) + "' ";
    if (const std::string problem = NameProblem(target, Placeholders::kAllowed); !problem.empty()) {
      throw Fail(line, shown + Shown(problem));
    }
    if (target.find(',') != std::string::npos) {
      throw Fail(line, shown + "holds ',', which ends a target in Setup.inf");
    }
    const auto [first, inserted] = claims_.try_emplace(Folded(target), Claim{line, target, path});
    if (!inserted) {
      const Claim& claim = first->second;
      throw Fail(line, shown + "of '" + ShownPath(path) + "' and the target '" + ShownPath(claim.target) +
                           "' of '" + ShownPath(claim.path) + "' (line " + std::to_string(claim.line) +
                           ") are the same file on Windows, which does not tell letter case apart in names");
    }

    SourceFile file{line, path, target, 0, 0};
    try {
      stp::port::File opened = stp::port::File::OpenRead(path);
      const std::int64_t size = opened.Size();
      if (size > kLargestCount) throw Fail(line, "'" + ShownPath(path) + "' is larger than 2 GB");
      file.size = static_cast<std::uint32_t>(size);
      file.time = opened.WriteTime();
    } catch (const stp::IoError& e) {
      throw Fail(line, "cannot read '" + ShownPath(path) + "': " + IoReason(e));
    }
    if (file.time > kLatestFileTime) {
      throw Fail(line,
                 "'" + ShownPath(path) + "' has a time after the year 30828, which no medium can carry");
    }
    const std::string value = target + "," + std::string(kWidestOffset) + "|" + FileTimeText(file.time);
    if (const std::string problem = ProfileValueProblem(value); !problem.empty()) {
      throw Fail(line, "the [Files] value of " + shown + problem);
    }
    return file;
  }

  const ProductDescription& description_;
  std::string source_directory_;
  std::map<std::string, Claim> claims_;
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

// Only the first diskette holds Setup.exe, Setup.inf and setup.bmp beside
// the first volume; with -d below they lie above the diskettes' folders.
bool SharesFirstDisk(DiskFolders disks) { return disks != DiskFolders::kBelow; }

std::int64_t SizeOf(const std::string& path) {
  if (path.empty()) return 0;
  try {
    return stp::port::File::OpenRead(path).Size();
  } catch (const stp::IoError& e) {
    throw ToolError("cannot read '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
}

void WriteFile(NewFiles& files, const std::string& path, std::string_view text) {
  stp::port::File file = files.Create(path);
  file.Write(text.data(), text.size());
  file.Close();
}

void CopyFile(NewFiles& files, const std::string& from, const std::string& to) {
  const auto cannot_read = [&from](const stp::IoError& e, ExitStatus status) {
    return ToolError("cannot read '" + ShownPath(from) + "': " + IoReason(e), status);
  };
  stp::port::File in;
  try {
    in = stp::port::File::OpenRead(from);
  } catch (const stp::IoError& e) {
    throw cannot_read(e, kUserError);
  }
  stp::port::File out = files.Create(to);
  std::vector<std::uint8_t> block(kCopyBlock);
  for (;;) {
    StopIfInterrupted();
    std::size_t got = 0;
    try {
      got = in.Read(block.data(), block.size());
    } catch (const stp::IoError& e) {
      throw cannot_read(e, kFailed);
    }
    if (got == 0) break;
    out.Write(block.data(), got);
  }
  out.Close();
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
  inf += "\r\n[" + std::string(stp::kChecksumSection) + "]\r\n";
  for (std::size_t i = 0; i < result.files.size(); ++i) {
    inf += std::to_string(i + 1) + "=" + stp::FileCheckText({result.files[i].size, result.files[i].crc}) +
           "\r\n";
  }
  inf += "\r\n[Links]\r\n";
  for (std::size_t i = 0; i < description.links.size(); ++i) {
    inf +=
        std::to_string(i + 1) + "=" + description.links[i].name + "," + description.links[i].target + "\r\n";
  }
  return inf;
}

// Setup.inf's size at most, before the offsets are known: each as wide as
// an offset can be.
std::int64_t LargestSetupInf(const ProductDescription& description, const std::vector<SourceFile>& sources,
                             std::uint64_t total_bytes) {
  PackResult widest{};
  widest.data_size = static_cast<std::int32_t>(kLargestCount);
  for (const SourceFile& source : sources) {
    widest.files.push_back(
        {source.target, static_cast<std::int32_t>(kLargestCount), 0, source.size, source.time, 0});
  }
  return static_cast<std::int64_t>(SetupInf(description, widest, total_bytes).size());
}

void CheckOptions(const PackOptions& options) {
  const bool volumes = options.fit_first_disk || options.first_volume_size != 0;
  if (!options.fit_first_disk &&
      (options.first_volume_size < 0 || options.first_volume_size > kDisketteBytes)) {
    throw ToolError("the first volume's size is 1 to " + std::to_string(kDisketteBytes) + " bytes",
                    kUserError);
  }
  if (!volumes && options.disk_folders != DiskFolders::kNone) {
    throw ToolError("Disk folders need volumes: give the first volume's size too", kUserError);
  }
  for (const std::string* path : {&options.picture, &options.setup_program, &options.launcher}) {
    if (!path->empty() && !stp::port::FileExists(*path)) {
      throw ToolError("no file '" + ShownPath(*path) + "'", kUserError);
    }
  }
}

void CheckOutFolder(const std::string& out) {
  if (stp::port::FileExists(out)) throw ToolError("'" + ShownPath(out) + "' is a file", kUserError);
  // A medium read together with files left from another one would not fit
  // its Setup.inf, so pack writes only into a new or empty folder.
  if (!stp::port::DirectoryExists(out)) return;
  try {
    if (!stp::port::ListDirectory(out).empty())
      throw ToolError("'" + ShownPath(out) + "' is not empty", kUserError);
  } catch (const stp::IoError& e) {
    throw ToolError("cannot list '" + ShownPath(out) + "': " + IoReason(e), kUserError);
  }
}

struct Encoded {
  std::int32_t compressed_size;
  std::uint32_t crc;
};

// Compresses one source file into the setup data, a block at a time.
Encoded Encode(const SourceFile& source, const Packer& packer, SetupDataWriter& data, Progress& progress,
               std::uint64_t done) {
  stp::port::File input;
  try {
    input = stp::port::File::OpenRead(source.path);
  } catch (const stp::IoError& e) {
    throw packer.Fail(source.line, "cannot read '" + ShownPath(source.path) + "': " + IoReason(e));
  }
  const std::int64_t offset = data.Size();
  std::uint64_t read = 0;
  std::uint32_t crc = 0;
  const auto changed = [&] {
    return packer.Fail(source.line, "'" + ShownPath(source.path) + "' changed while it was packed");
  };
  stp::LzhEncode(
      [&](std::uint8_t* buffer, std::size_t count) {
        StopIfInterrupted();
        std::size_t got = 0;
        try {
          got = input.Read(buffer, count);
        } catch (const stp::IoError& e) {
          throw packer.Fail(source.line, "cannot read '" + ShownPath(source.path) + "': " + IoReason(e));
        }
        read += got;
        if (read > source.size) throw changed();
        crc = stp::Crc32(crc, buffer, got);
        progress.Show(done + read, source.target);
        return got;
      },
      [&](std::span<const std::uint8_t> bytes) {
        if (data.Size() + static_cast<std::int64_t>(bytes.size()) > kLargestCount) {
          throw ToolError("the setup data would pass 2147483647 bytes, which Setup.inf cannot count",
                          kUserError);
        }
        data.Append(bytes);
      });
  if (read != source.size) throw changed();
  return {static_cast<std::int32_t>(data.Size() - offset), crc};
}

}  // namespace

std::optional<std::int64_t> ParseVolumeSize(std::string_view text) {
  if (text == "auto") return std::nullopt;
  const ToolError wrong(
      "-v takes a number of bytes, k (1024 bytes), M (1000k) or auto, not '" + std::string(text) + "'",
      kUserError);
  std::int64_t unit = 1;
  if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) unit = 1024;
  if (!text.empty() && text.back() == 'M') unit = 1024000;
  const std::string_view number = unit == 1 ? text : text.substr(0, text.size() - 1);
  const auto point = number.find('.');
  const std::string_view whole = number.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? "" : number.substr(point + 1);
  const auto digits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  // Twelve digits in all keep the arithmetic far from overflowing.
  if (whole.empty() || !digits(whole) || !digits(fraction) || whole.size() + fraction.size() > 12 ||
      (point != std::string_view::npos && (fraction.empty() || unit == 1))) {
    throw wrong;
  }
  std::int64_t scale = 1;
  for (std::size_t i = 0; i < fraction.size(); ++i) scale *= 10;
  const std::int64_t scaled =
      std::stoll(std::string(whole)) * scale + (fraction.empty() ? 0 : std::stoll(std::string(fraction)));
  if (scaled * unit % scale != 0) {
    throw ToolError("-v " + std::string(text) + " is no whole number of bytes", kUserError);
  }
  const std::int64_t bytes = scaled * unit / scale;
  if (bytes < 1) throw ToolError("-v takes at least 1 byte", kUserError);
  if (bytes > kDisketteBytes) {
    throw ToolError("-v " + std::string(text) + " is " + std::to_string(bytes) +
                        " bytes, more than a 1.44 MB diskette holds for files (" +
                        std::to_string(kDisketteBytes) +
                        " bytes), and the first volume must share one with Setup.exe, Setup.inf and "
                        "setup.bmp; -v auto works out the room left",
                    kUserError);
  }
  return bytes;
}

bool InstallsLauncher(const std::vector<PackedFile>& files) {
  return std::any_of(files.begin(), files.end(), [](const PackedFile& file) {
    return Folded(file.target) == Folded(std::string(kLauncherTarget));
  });
}

std::string FileTimeText(stp::port::FileTime time) {
  const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(time));
  const auto high = static_cast<std::int32_t>(static_cast<std::uint32_t>(time >> 32));
  return std::to_string(low) + "&" + std::to_string(high);
}

PackResult Pack(const ProductDescription& description, const std::string& source_directory,
                const std::string& out_directory, const PackOptions& options, Progress& progress) {
  CheckOptions(options);
  Packer packer(description, source_directory);
  const std::vector<SourceFile> sources = packer.CollectFiles(options.launcher);
  packer.CheckLinks(sources);
  std::uint64_t total_bytes = 0;
  for (const SourceFile& file : sources) total_bytes += file.size;
  if (total_bytes > static_cast<std::uint64_t>(kLargestCount)) {
    throw ToolError(
        "the files hold " + std::to_string(total_bytes) + " bytes; Setup.inf counts at most 2147483647",
        kUserError);
  }
  const std::int64_t largest_inf = LargestSetupInf(description, sources, total_bytes);
  if (largest_inf > kLargestSetupInf) {
    throw ToolError("Setup.inf would hold up to " + std::to_string(largest_inf) + " bytes, more than the " +
                        std::to_string(kLargestSetupInf) + " (8 MiB) that media are read with",
                    kUserError);
  }
  const std::int64_t beside_setup_data =
      OnDiskette(SizeOf(options.picture)) + OnDiskette(SizeOf(options.setup_program));
  std::int64_t first_volume_size = options.first_volume_size;
  if (options.fit_first_disk) {
    first_volume_size = kDisketteBytes - beside_setup_data - OnDiskette(largest_inf);
    if (first_volume_size <= 0) {
      throw ToolError("-v auto: Setup.exe, setup.bmp and Setup.inf take " +
                          std::to_string(kDisketteBytes - first_volume_size) +
                          " bytes of the first diskette's " + std::to_string(kDisketteBytes) +
                          ", leaving no room for Setup1.stp",
                      kUserError);
    }
  }

  const std::string out = stp::WithTrailingBackslash(out_directory);
  CheckOutFolder(stp::WithoutTrailingBackslash(out));
  NewFiles made;
  made.MakeFolder(out);
  PackResult result{SetupFolder(out, options.disk_folders), {}, 0, 0, first_volume_size, 0};
  made.MakeFolder(result.setup_directory);
  SetupDataWriter data([&](int volume) { return VolumeFolder(out, options.disk_folders, volume); },
                       first_volume_size, made);

  progress.Start(total_bytes);
  std::uint64_t done = 0;
  for (const SourceFile& source : sources) {
    const std::int32_t offset = static_cast<std::int32_t>(data.Size());
    const Encoded encoded = Encode(source, packer, data, progress, done);
    result.files.push_back(
        {source.target, offset, encoded.compressed_size, source.size, source.time, encoded.crc});
    done += source.size;
  }
  data.Finish();
  progress.Finish();
  result.data_size = static_cast<std::int32_t>(data.Size());
  result.volumes = data.Volumes();

  const std::string inf = SetupInf(description, result, total_bytes);
  WriteFile(made, result.setup_directory + "Setup.inf", inf);
  if (!options.picture.empty()) CopyFile(made, options.picture, result.setup_directory + "setup.bmp");
  if (!options.setup_program.empty())
    CopyFile(made, options.setup_program, result.setup_directory + "Setup.exe");
  if (result.volumes > 0 && SharesFirstDisk(options.disk_folders)) {
    result.first_disk_bytes = OnDiskette(std::min<std::int64_t>(first_volume_size, result.data_size)) +
                              OnDiskette(static_cast<std::int64_t>(inf.size())) + beside_setup_data;
  }
  StopIfInterrupted();
  made.Keep();
  return result;
}

}  // namespace stptool
