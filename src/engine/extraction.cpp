#include "engine/extraction.h"

#include <algorithm>
#include <exception>

#include "engine/content_check.h"
#include "engine/pending_file.h"
#include "port/directory_path.h"

namespace stp {
namespace {

constexpr std::string_view kWindowsPlaceholder = "<windir>";
constexpr std::string_view kDesktopPlaceholder = "<desktop>";

bool StartsWithLowered(const std::string& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
    return p == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t);
  });
}

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string FilesKey(int index) { return "Setup.inf, [Files] " + std::to_string(index + 1); }

Error EntryError(int index, const std::string& english) {
  return Error("Eintrag " + std::to_string(index + 1) + " der Dateiliste in Setup.inf ist fehlerhaft",
               FilesKey(index) + ": " + english, english);
}

Error ChecksumEntryError(int index, const std::string& english) {
  const std::string key = std::to_string(index + 1);
  return Error("Eintrag " + key + " der Prüfsummen in Setup.inf ist fehlerhaft",
               "Setup.inf, [" + std::string(kChecksumSection) + "] " + key + ": " + english, english);
}

// A number of the table whose English message says which number it is.
std::int32_t EntryNumber(const std::string& text, const std::string& which) {
  try {
    return TableNumber(text);
  } catch (const Error& e) {
    throw Error(e.what(), which + " " + e.English(), e.Detail());
  }
}

// Where Setup.inf has section Checksums, every file must have its check:
// one without would be installed unchecked, as if the section were not
// there.
std::optional<FileCheck> StoredCheck(const FileTable& table, int index) {
  if (!table.FileChecks) return std::nullopt;
  const std::vector<std::string>& checks = *table.FileChecks;
  const auto at = static_cast<std::size_t>(index);
  const std::string text = at < checks.size() ? checks[at] : std::string();
  if (const auto check = ParseFileCheck(text)) return check;
  throw ChecksumEntryError(index, text.empty() ? "missing, though the section holds the checks of the files"
                                               : "'" + text +
                                                     "' is not SIZE,CRC (a size of at most 2147483647 "
                                                     "bytes, a comma, 8 hexadecimal digits)");
}

}  // namespace

std::string ExpandTarget(const std::string& target, const TargetPlaces& places) {
  if (StartsWithLowered(target, kWindowsPlaceholder)) {
    std::string windows = places.windows_directory;
    if (!windows.empty() && windows.back() == '\\') windows.pop_back();
    if (windows.empty()) {
      throw Error("Das Windows-Verzeichnis ist nicht bekannt",
                  "the Windows folder that '" + target + "' names is not known", target);
    }
    return windows + target.substr(kWindowsPlaceholder.size());
  }
  if (StartsWithLowered(target, kDesktopPlaceholder)) {
    if (places.desktop_folder.empty()) {
      throw Error("Der Desktop-Ordner ist nicht bekannt",
                  "the desktop folder that '" + target + "' names is not known", target);
    }
    return places.desktop_folder + target.substr(kDesktopPlaceholder.size());
  }
  return places.destination + target;
}

std::int32_t TableNumber(const std::string& text) {
  const auto number = ParseProfileInteger(text);
  if (!number) {
    throw Error("'" + text + "' ist kein gültiger Integerwert", "'" + text + "' is not a number", {});
  }
  return *number;
}

port::FileTime StoredFileTime(const std::string& text) {
  const auto amp = text.find('&');
  const std::string low = amp == std::string::npos ? text : text.substr(0, amp);
  const std::string high = amp == std::string::npos ? std::string() : text.substr(amp + 1);
  const auto low_bits = static_cast<std::uint32_t>(TableNumber(low));
  const auto high_bits = static_cast<std::uint32_t>(TableNumber(high));
  return static_cast<port::FileTime>(high_bits) << 32 | low_bits;
}

FileEntry CheckedFileEntry(const FileTable& table, int index) {
  const bool last = static_cast<std::size_t>(index) + 2 == table.FileOffsets.size();
  const std::string end_name = last ? "NextOffset" : "the offset of [Files] " + std::to_string(index + 2);
  const std::int32_t start = EntryNumber(table.FileOffsets[index], FilesKey(index) + ": the offset");
  const std::int32_t end = EntryNumber(table.FileOffsets[index + 1],
                                       last ? "Setup.inf: NextOffset" : FilesKey(index + 1) + ": the offset");
  if (start < 0) throw EntryError(index, "its offset " + std::to_string(start) + " is negative");
  if (end < start) {
    throw EntryError(index, "its offset " + std::to_string(start) + " lies after " + end_name + ", " +
                                std::to_string(end) + ", which would give its data a negative length");
  }
  const std::string& time_text = table.FileTimes[index];
  port::FileTime time = 0;
  try {
    time = StoredFileTime(time_text);
  } catch (const Error& e) {
    throw Error(e.what(), FilesKey(index) + ": the time '" + time_text + "' (low&high): " + e.English(),
                e.Detail());
  }
  return {start, end - start, time, StoredCheck(table, index)};
}

void CheckFileTable(const FileTable& table) {
  for (std::size_t index = 0; index < table.FileTargets.size(); ++index) {
    CheckedFileEntry(table, static_cast<int>(index));
  }
}

Extraction::Extraction(const FileTable& table, TargetPlaces places, const std::string& source_directory,
                       InstallHost& host, Recorder record)
    : table_(table),
      places_(std::move(places)),
      host_(host),
      record_(std::move(record)),
      reader_(source_directory, host),
      image_(reader_, host) {}

Extraction::Outcome Extraction::InstallFiles() {
  CheckFileTable(table_);
  for (const std::string& target : table_.FileTargets) ExpandTarget(target, places_);
  if (!reader_.ChooseFirstVolume()) return Outcome::kNoSetupData;
  for (std::size_t index = 0; index < table_.FileTargets.size(); ++index) {
    if (host_.CancelConfirmed()) {
      reader_.Close();
      return Outcome::kCancelled;
    }
    DateiKopieren(static_cast<int>(index));
  }
  reader_.Close();
  return Outcome::kDone;
}

void Extraction::DateiKopieren(int index) {
  const std::string target = ExpandTarget(table_.FileTargets[index], places_);
  const FileEntry entry = CheckedFileEntry(table_, index);

  MakeDirectoryPath(DirectoryOf(target));
  host_.ShowTarget(target, reader_.CurrentDisk());

  if (!image_.Open(entry.offset, entry.length)) {
    if (host_.CancelConfirmed()) return;
    throw MissingDiskError(reader_.CurrentDisk());
  }
  const int first_disk = reader_.CurrentDisk();
  const std::string first_volume = reader_.CurrentVolumePath();
  ContentCheck check(entry.check);
  const auto damaged = [&] {
    return DamagedFileError(
        target, {first_disk, first_volume, reader_.CurrentDisk(), reader_.CurrentVolumePath()}, check);
  };

  // A target that cannot be written is decoded all the same and its bytes
  // thrown away, so that the reader stays in step with the next entry.
  PendingFile file(target);
  if (!file.IsOpen()) host_.TargetNotCreated(target, *file.CreateError());
  std::exception_ptr failure;
  try {
    image_.Decode([&](const std::uint8_t* data, std::size_t size) {
      if (!check.Add(data, size)) throw damaged();
      if (file.IsOpen()) file.Write(data, size);
    });
  } catch (...) {
    failure = std::current_exception();
  }
  image_.Close();
  if (host_.CancelConfirmed()) return;
  // A file that could not be read or written whole, or whose content is not
  // the one Setup.inf stores, is not recorded as installed: the run ends
  // with the error instead. Damaged content never stays in the target's
  // place, not even where the target had to be written directly.
  if (failure) {
    if (check.Overran()) file.Discard();
    std::rethrow_exception(failure);
  }
  if (!check.Matches()) {
    file.Discard();
    throw damaged();
  }
  if (file.IsOpen()) file.Commit();

  StampFile(target, entry.time);
  record_(index + 1, target);
}

// Stamping failures are shown as bare error numbers and the run goes on.
// A target that cannot be opened costs two: stamping then has no file
// either.
void Extraction::StampFile(const std::string& target, port::FileTime time) {
  port::File file;
  try {
    file = port::File::OpenExisting(target);
  } catch (const IoError& e) {
    host_.ReportErrorNumber(e.Code());
    host_.ReportErrorNumber(kInvalidHandle);
    return;
  }
  try {
    file.SetTimes(time);
  } catch (const IoError& e) {
    host_.ReportErrorNumber(e.Code());
  }
  file.Close();
}

}  // namespace stp
