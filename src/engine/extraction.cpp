#include "engine/extraction.h"

#include <algorithm>
#include <exception>

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

Error EntryError(int index, const std::string& detail) {
  return Error("Eintrag " + std::to_string(index + 1) + " der Dateiliste in Setup.inf ist fehlerhaft", detail);
}

}  // namespace

std::string ExpandTarget(const std::string& target, const TargetPlaces& places) {
  if (StartsWithLowered(target, kWindowsPlaceholder)) {
    std::string windows = places.windows_directory;
    if (!windows.empty() && windows.back() == '\\') windows.pop_back();
    if (windows.empty()) throw Error("Das Windows-Verzeichnis ist nicht bekannt", target);
    return windows + target.substr(kWindowsPlaceholder.size());
  }
  if (StartsWithLowered(target, kDesktopPlaceholder)) {
    if (places.desktop_folder.empty()) throw Error("Der Desktop-Ordner ist nicht bekannt", target);
    return places.desktop_folder + target.substr(kDesktopPlaceholder.size());
  }
  return places.destination + target;
}

std::int32_t TableNumber(const std::string& text) {
  const auto number = ParseProfileInteger(text);
  if (!number) throw Error("'" + text + "' ist kein gültiger Integerwert");
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
  const std::int32_t start = TableNumber(table.FileOffsets[index]);
  const std::int32_t end = TableNumber(table.FileOffsets[index + 1]);
  if (start < 0 || end < start) {
    throw EntryError(index, "offsets " + std::to_string(start) + " and " + std::to_string(end));
  }
  return {start, end - start, StoredFileTime(table.FileTimes[index])};
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

  // A target that cannot be written is decoded all the same and its bytes
  // thrown away, so that the reader stays in step with the next entry.
  PendingFile file(target);
  std::exception_ptr failure;
  try {
    image_.Decode([&file](const std::uint8_t* data, std::size_t size) {
      if (file.IsOpen()) file.Write(data, size);
    });
  } catch (...) {
    failure = std::current_exception();
  }
  image_.Close();
  if (host_.CancelConfirmed()) return;
  // A file that could not be read or written whole is not recorded as
  // installed: the run ends with the error instead.
  if (failure) std::rethrow_exception(failure);
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
