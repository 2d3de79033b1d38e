#include "medium.h"

#include <initializer_list>

#include "engine/extraction.h"
#include "native_text.h"
#include "port/directory_path.h"
#include "setup/profile.h"
#include "target_names.h"
#include "tool_error.h"

namespace stptool {
namespace {

// The folder that holds Setup.inf: the medium's folder or its Disk1.
std::string SetupFolder(const std::string& folder) {
  const std::string top = stp::WithTrailingBackslash(folder);
  for (const std::string& candidate : {top, top + "Disk1\\"}) {
    const std::string inf = candidate + "Setup.inf";
    if (stp::port::DirectoryExists(inf)) {
      throw ToolError("'" + ShownPath(inf) + "' is a folder, not a file", kUserError);
    }
    if (stp::port::FileExists(inf)) return candidate;
  }
  throw ToolError("no Setup.inf in '" + ShownPath(folder) + "' or its folder Disk1", kUserError);
}

std::string ReadSetupInf(const std::string& path) {
  std::string text;
  try {
    stp::port::File file = stp::port::File::OpenRead(path);
    const std::int64_t size = file.Size();
    if (size > kLargestSetupInf) {
      throw ToolError("'" + ShownPath(path) + "' holds " + std::to_string(size) +
                          " bytes; no medium's Setup.inf comes near " + std::to_string(kLargestSetupInf) +
                          " bytes (8 MiB)",
                      kDamaged);
    }
    text.resize(static_cast<std::size_t>(size));
    text.resize(file.Read(text.data(), text.size()));
  } catch (const stp::IoError& e) {
    throw ToolError("cannot read '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
  if (text.empty()) throw ToolError("'" + ShownPath(path) + "' is empty", kDamaged);
  return text;
}

// What is wrong with entry index of the table, or the empty text.
std::string EntryProblem(const stp::FileTable& files, std::size_t index) {
  const std::string& target = files.FileTargets[index];
  if (const std::string problem = NameProblem(target, Placeholders::kAllowed); !problem.empty()) {
    return "the target '" + ShownPath(target) + "' " + Shown(problem);
  }
  stp::FileEntry entry;
  try {
    entry = stp::CheckedFileEntry(files, static_cast<int>(index));
  } catch (const stp::Error& e) {
    return CoreMessage(e);
  }
  if (entry.time > kLatestFileTime) {
    return "the time " + Shown(files.FileTimes[index]) + " lies after the year 30828, where file times end";
  }
  return {};
}

// The parent of a folder that ends in "\", as Setup looks for DiskN beside
// its own folder.
std::string ParentFolder(const std::string& folder) {
  const std::string trimmed = folder.substr(0, folder.size() - 1);
  const auto cut = trimmed.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : trimmed.substr(0, cut + 1);
}

std::string FirstExisting(std::initializer_list<std::string> paths) {
  for (const std::string& path : paths) {
    if (stp::port::FileExists(path)) return path;
  }
  return {};
}

// Opens every volume there is now, in the places Setup looks, so that one
// that cannot be read (no permission, a pipe or a device in its place) is
// refused before anything is written instead of failing part-way.
void CheckSetupData(const std::string& source) {
  const std::vector<VolumeFile> volumes = FindVolumes(source, 0);
  if (volumes.empty()) throw NoSetupDataError();
  for (const VolumeFile& volume : volumes) {
    try {
      stp::port::File::OpenRead(volume.path).Close();
    } catch (const stp::IoError& e) {
      throw ToolError("cannot read '" + ShownPath(volume.path) + "': " + IoReason(e), kUserError);
    }
  }
}

}  // namespace

ToolError NoSetupDataError() {
  return ToolError(
      "no setup data (" + ShownPath("Setup.stp, Setup1.stp or Disk1\\Setup1.stp") + ") beside Setup.inf",
      kDamaged);
}

Medium ReadMedium(const std::string& folder) {
  Medium medium;
  medium.source_directory = SetupFolder(folder);
  const std::string inf_path = medium.source_directory + "Setup.inf";
  medium.inf = stp::ProfileFile::Parse(ReadSetupInf(inf_path));
  if (medium.inf.ReadString("Files", "1", "").empty()) {
    throw ToolError("'" + ShownPath(inf_path) + "' holds no file table: [Files] has no entry 1", kDamaged);
  }
  medium.configuration = stp::ReadSetupConfiguration(medium.inf);
  medium.files = stp::LoadFileTable(medium.inf);
  medium.links = stp::LoadLinkTable(medium.inf);
  medium.total_bytes = stp::ReadTotalBytes(medium.inf);
  return medium;
}

std::vector<TableProblem> TableProblems(const Medium& medium) {
  std::vector<TableProblem> problems;
  for (std::size_t i = 0; i < medium.files.FileTargets.size(); ++i) {
    std::string problem = EntryProblem(medium.files, i);
    if (problem.empty()) continue;
    const std::string key = std::to_string(i + 1);
    // A value that fills the buffer was probably cut; the part that is left
    // then breaks in some way that does not tell the cause.
    if (medium.inf.ReadString("Files", key, "").size() == stp::ProfileFile::kValueBufferSize - 1) {
      problem = "the value is cut off at " + std::to_string(stp::ProfileFile::kValueBufferSize - 1) +
                " characters, all that Setup.exe reads of a value, which leaves no whole entry "
                "(target,offset|time)";
    }
    // The core's messages say where they are.
    if (!problem.starts_with("Setup.inf")) problem = "Setup.inf, [Files] " + key + ": " + problem;
    // A number that is none is every neighbour's problem too.
    if (!problems.empty() && problems.back().message == problem) continue;
    problems.push_back({static_cast<int>(i), problem});
  }
  return problems;
}

Medium OpenMedium(const std::string& folder) {
  Medium medium = ReadMedium(folder);
  if (const auto problems = TableProblems(medium); !problems.empty()) {
    throw ToolError(problems.front().message, kDamaged);
  }
  CheckSetupData(medium.source_directory);
  return medium;
}

std::vector<VolumeFile> FindVolumes(const std::string& source, int at_least) {
  if (stp::port::FileExists(source + "Setup.stp")) return {{0, source + "Setup.stp"}};
  std::vector<VolumeFile> volumes;
  for (int number = 1;; ++number) {
    const std::string name = "Setup" + std::to_string(number) + ".stp";
    const std::string disk = "Disk" + std::to_string(number) + "\\";
    const std::string path =
        number == 1
            ? FirstExisting({source + disk + name, source + name})
            : FirstExisting({source + name, source + disk + name, ParentFolder(source) + disk + name});
    if (path.empty() && number > at_least) break;
    volumes.push_back({number, path});
  }
  return volumes;
}

}  // namespace stptool
