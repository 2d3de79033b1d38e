#include "test_medium.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "engine/setup_data_reader.h"
#include "engine/stream_decoder.h"
#include "native_text.h"
#include "signals.h"

namespace stptool {
namespace {

constexpr std::int64_t kVolumeBytes = stp::SetupDataReader::kLaterVolumeSize;

struct Volume {
  int number;         // 0 for Setup.stp
  std::string path;   // empty: missing
  std::int64_t size;  // 0 when missing
};

std::string VolumeName(int number) {
  return number == 0 ? "Setup.stp" : "Setup" + std::to_string(number) + ".stp";
}

// "'C:/m/Setup2.stp' (volume 2)", or the name alone for a missing volume.
std::string Named(const Volume& volume) {
  if (volume.path.empty())
    return "volume " + std::to_string(volume.number) + " (" + VolumeName(volume.number) + ")";
  const std::string shown = "'" + ShownPath(volume.path) + "'";
  return volume.number == 0 ? shown : shown + " (volume " + std::to_string(volume.number) + ")";
}

// The setup data as Setup maps them onto the volumes there are: volume 1
// holds the stream from 0, as much as it holds; every later one
// kVolumeBytes from where the one before it ends, whatever its own size.
class SetupData {
 public:
  explicit SetupData(std::vector<Volume> volumes) : volumes_(std::move(volumes)) {}

  bool Single() const { return volumes_.front().number == 0; }
  const std::vector<Volume>& Volumes() const { return volumes_; }
  int VolumeAt(std::int64_t offset) const {
    if (Single()) return 0;
    if (offset < FirstSize()) return 1;
    return 2 + static_cast<int>((offset - FirstSize()) / kVolumeBytes);
  }
  std::int64_t Start(int number) const { return number < 2 ? 0 : FirstSize() + (number - 2) * kVolumeBytes; }
  // The stream bytes a volume can hold by the layout.
  std::int64_t Capacity(const Volume& volume) const { return volume.number < 2 ? volume.size : kVolumeBytes; }
  const Volume* Find(int number) const {
    const int index = number - volumes_.front().number;
    return index >= 0 && index < static_cast<int>(volumes_.size()) ? &volumes_[index] : nullptr;
  }

  std::string PathOf(int number) const {
    const Volume* volume = Find(number);
    return volume == nullptr || volume->path.empty() ? VolumeName(number) : volume->path;
  }

  // The first offset in [from, to) whose byte is in no volume, or to.
  std::int64_t FirstMissing(std::int64_t from, std::int64_t to) const {
    for (std::int64_t offset = from; offset < to;) {
      const Volume* volume = Find(VolumeAt(offset));
      if (volume == nullptr || volume->path.empty()) return offset;
      const std::int64_t held_end = Start(volume->number) + std::min(volume->size, Capacity(*volume));
      if (offset >= held_end) return offset;
      offset = held_end;
    }
    return to;
  }

  // Why the byte at offset is in no volume.
  std::string WhyMissing(std::int64_t offset) const {
    const int number = VolumeAt(offset);
    const Volume* volume = Find(number);
    if (volume == nullptr || volume->path.empty()) {
      return "byte " + std::to_string(offset) + " lies in volume " + std::to_string(number) + " (" +
             VolumeName(number) + "), which is missing";
    }
    return "byte " + std::to_string(offset) + " would be byte " + std::to_string(offset - Start(number)) +
           " of " + Named(*volume) + ", which holds " + std::to_string(volume->size) + " bytes";
  }

  // Reads count stream bytes at offset, all of which are there.
  void Read(std::int64_t offset, std::uint8_t* buffer, std::size_t count) {
    while (count > 0) {
      const Volume& volume = *Find(VolumeAt(offset));
      if (open_number_ != volume.number) {
        open_ = stp::port::File::OpenRead(volume.path);
        open_number_ = volume.number;
      }
      const std::int64_t position = offset - Start(volume.number);
      const auto part = static_cast<std::size_t>(
          std::min<std::int64_t>(static_cast<std::int64_t>(count), volume.size - position));
      open_.Seek(position);
      if (open_.Read(buffer, part) != part) {
        throw stp::IoError(stp::kReadBeyondEnd, "read", volume.path, "it ended while it was read");
      }
      offset += static_cast<std::int64_t>(part);
      buffer += part;
      count -= part;
    }
  }

 private:
  std::int64_t FirstSize() const { return volumes_.front().size; }

  std::vector<Volume> volumes_;
  stp::port::File open_;
  int open_number_ = -1;
};

std::int64_t SizeOf(const std::string& path) {
  try {
    return stp::port::File::OpenRead(path).Size();
  } catch (const stp::IoError& e) {
    throw ToolError("cannot read '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
}

std::vector<Volume> Measured(const std::vector<VolumeFile>& files) {
  std::vector<Volume> volumes;
  for (const VolumeFile& file : files) {
    volumes.push_back({file.number, file.path, file.path.empty() ? 0 : SizeOf(file.path)});
  }
  return volumes;
}

// The keys of a section that name numbers past the table's last entry
// ("7", not "07"): entries that Setup never reads.
std::string KeysAfter(const stp::ProfileFile& inf, std::string_view section, std::size_t count) {
  std::vector<unsigned long> numbers;
  for (const std::string& key : inf.Keys(section)) {
    const bool number = !key.empty() && key.size() <= 9 && key.front() != '0' &&
                        std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (number && std::stoul(key) > count) numbers.push_back(std::stoul(key));
  }
  constexpr std::size_t kShown = 10;
  std::sort(numbers.begin(), numbers.end());
  std::string keys;
  for (std::size_t i = 0; i < std::min(numbers.size(), kShown); ++i) {
    keys += (keys.empty() ? "" : ", ") + std::to_string(numbers[i]);
  }
  if (numbers.size() > kShown) keys += " and " + std::to_string(numbers.size() - kShown) + " more";
  return keys;
}

class MediumTest {
 public:
  MediumTest(const Medium& medium, Progress& progress, const std::function<void(const std::string&)>& report)
      : medium_(medium), progress_(progress), report_(report) {
    const std::size_t count = medium.files.FileTargets.size();
    result_ = {static_cast<int>(count), 0, 0, medium.files.FileChecks.has_value(), 0};
    sizes_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      try {
        if (const auto check = stp::CheckedFileEntry(medium.files, static_cast<int>(i)).check) {
          sizes_[i] = check->size;
        }
      } catch (const stp::Error&) {
      }
    }
  }

  TestResult Run() {
    CheckTable();
    std::vector<VolumeFile> found = FindVolumes(medium_.source_directory, 0);
    if (found.empty()) {
      Problem(NoSetupDataError().what());
      return result_;
    }
    result_.volumes = found.front().number == 0 ? 0 : static_cast<int>(found.size());
    const std::optional<std::int64_t> data_end = DataEnd();
    const std::vector<Volume> first = Measured({found.front()});
    // By the layout, the volume that NextOffset ends in is the last.
    int last = 0;
    if (first.front().number == 1 && data_end) {
      const std::int64_t first_size = first.front().path.empty() ? 0 : first.front().size;
      last = *data_end <= first_size ? 1 : 2 + static_cast<int>((*data_end - first_size - 1) / kVolumeBytes);
      if (first_size == 0 && *data_end > 0) {
        // Every offset would then fall a volume further on; nothing read
        // through that would tell anything.
        Problem(Named(first.front()) + " is empty, though the setup data begin in it");
        return Summed();
      }
    }
    SetupData data(Measured(FindVolumes(medium_.source_directory, last)));
    result_.volumes = data.Single() ? 0 : static_cast<int>(data.Volumes().size());
    CheckVolumes(data, data_end, last);
    for (std::size_t i = 0; i < medium_.files.FileTargets.size(); ++i) CheckImage(data, i);
    CheckBytes();
    return Summed();
  }

 private:
  void Problem(const std::string& line) {
    progress_.Finish();
    report_(line);
    ++result_.problems;
  }

  static std::string Entry(std::size_t index) { return "Setup.inf, [Files] " + std::to_string(index + 1); }

  void CheckTable() {
    for (const TableProblem& problem : TableProblems(medium_)) Problem(problem.message);
    const std::size_t count = medium_.files.FileTargets.size();
    if (const std::string keys = KeysAfter(medium_.inf, "Files", count); !keys.empty()) {
      Problem("Setup.inf: [Files] ends at entry " + std::to_string(count) + ", for it has no entry " +
              std::to_string(count + 1) + "; Setup never reads the entries after it: " + keys);
    }
    if (medium_.files.FileChecks) {
      if (const std::string keys = KeysAfter(medium_.inf, stp::kChecksumSection, count); !keys.empty()) {
        Problem("Setup.inf: [" + std::string(stp::kChecksumSection) +
                "] has entries for files that [Files] " + "does not list: " + keys);
      }
    }
  }

  // NextOffset, where it is a number that can end the data (else the table
  // problems tell).
  std::optional<std::int64_t> DataEnd() const {
    try {
      const std::int32_t end = stp::TableNumber(medium_.files.FileOffsets.back());
      if (end >= 0) return end;
    } catch (const stp::Error&) {
    }
    return std::nullopt;
  }

  void CheckVolumes(const SetupData& data, const std::optional<std::int64_t>& data_end, int last) {
    const std::vector<Volume>& volumes = data.Volumes();
    if (last == 0) last = volumes.back().number;
    for (const Volume& volume : volumes) {
      const std::string name = Named(volume);
      if (volume.path.empty()) {
        Problem(name + " is missing, and the setup data run into it" +
                (data_end ? " up to NextOffset " + std::to_string(*data_end) : std::string()));
      } else if (volume.number > last) {
        Problem(name + " lies beyond the setup data, which end in volume " + std::to_string(last) +
                " at NextOffset " + std::to_string(*data_end));
      } else if (volume.number >= 2 && volume.number < last && volume.size != kVolumeBytes) {
        Problem(name + " holds " + std::to_string(volume.size) + " bytes; every volume but the last holds " +
                std::to_string(kVolumeBytes));
      } else if (volume.number >= 2 && volume.size > kVolumeBytes) {
        Problem(name + " holds " + std::to_string(volume.size) + " bytes, more than the " +
                std::to_string(kVolumeBytes) + " of a volume");
      }
    }
    const Volume* end_volume = data.Find(last);
    if (!data_end || end_volume == nullptr || end_volume->path.empty()) return;
    const std::int64_t expected = *data_end - data.Start(last);
    const std::int64_t held = std::min(end_volume->size, data.Capacity(*end_volume));
    if (held > expected) {
      Problem(Named(*end_volume) + " holds " + std::to_string(held - expected) +
              " bytes after the end of the setup data, NextOffset " + std::to_string(*data_end));
    } else if (held < expected) {
      Problem(Named(*end_volume) + " ends " + std::to_string(expected - held) +
              " bytes before the end of the setup data, NextOffset " + std::to_string(*data_end) +
              ": it is incomplete");
    }
  }

  void CheckImage(SetupData& data, std::size_t index) {
    stp::FileEntry entry;
    try {
      entry = stp::CheckedFileEntry(medium_.files, static_cast<int>(index));
    } catch (const stp::Error&) {
      return;  // a table problem, told already
    }
    const std::string& target = medium_.files.FileTargets[index];
    const std::int64_t start = entry.offset;
    const std::int64_t end = start + entry.length;
    if (const std::int64_t missing = data.FirstMissing(start, end); missing < end) {
      Problem(Entry(index) + ": the data of '" + ShownPath(target) + "', bytes " + std::to_string(start) +
              " to " + std::to_string(end) +
              " of the setup data, are not all there: " + data.WhyMissing(missing));
      return;
    }

    struct Overrun {};
    stp::ContentCheck check(entry.check);
    std::int64_t offset = start;
    try {
      decoder_.Decode(
          [&](std::uint8_t* buffer, std::size_t count) {
            StopIfInterrupted();
            const auto part = static_cast<std::size_t>(
                std::min<std::int64_t>(static_cast<std::int64_t>(count), end - offset));
            data.Read(offset, buffer, part);
            offset += static_cast<std::int64_t>(part);
            return part;
          },
          [&](const std::uint8_t* block, std::size_t count) {
            if (!check.Add(block, count)) throw Overrun();
            progress_.Show(done_ + check.Size(), target);
          });
    } catch (const Overrun&) {
    }
    StopIfInterrupted();
    if (!check.Matches()) {
      const int first = data.VolumeAt(start);
      const int last = entry.length == 0 ? first : data.VolumeAt(end - 1);
      const stp::DamagedFileError damaged(target, {first, data.PathOf(first), last, data.PathOf(last)},
                                          check);
      Problem(Entry(index) + ": " + CoreMessage(damaged));
    }
    if (!entry.check) sizes_[index] = check.Size();
    done_ += check.Size();
  }

  void CheckBytes() {
    std::uint64_t sum = 0;
    for (const auto& size : sizes_) {
      if (!size) return;  // not all known
      sum += *size;
    }
    const std::string text = medium_.inf.ReadString("General", "Bytes", "");
    const std::string files = "the files hold " + std::to_string(sum) + " bytes";
    if (text.empty()) {
      if (sum > 0) Problem("Setup.inf: Bytes is missing, which leaves Setup's gauge at 0 %; " + files);
    } else if (!stp::ParseProfileInteger(text)) {
      Problem("Setup.inf: Bytes '" + Shown(text) + "' is not a number; " + files);
    } else if (static_cast<std::uint64_t>(static_cast<std::uint32_t>(medium_.total_bytes)) != sum) {
      Problem("Setup.inf: Bytes is " + std::to_string(medium_.total_bytes) + ", but " + files);
    }
  }

  TestResult Summed() {
    result_.bytes = 0;
    for (const auto& size : sizes_) result_.bytes += size.value_or(0);
    return result_;
  }

  const Medium& medium_;
  Progress& progress_;
  const std::function<void(const std::string&)>& report_;
  TestResult result_{};
  stp::StreamDecoder decoder_;
  // Each file's size, where it is known.
  std::vector<std::optional<std::uint64_t>> sizes_;
  std::uint64_t done_ = 0;
};

}  // namespace

TestResult TestMedium(const Medium& medium, Progress& progress,
                      const std::function<void(const std::string&)>& report) {
  progress.Start(static_cast<std::uint64_t>(std::max(medium.total_bytes, 0)));
  return MediumTest(medium, progress, report).Run();
}

}  // namespace stptool
