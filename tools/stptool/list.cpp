#include "list.h"

#include <algorithm>
#include <cstdio>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "engine/image_source.h"
#include "engine/setup_data_reader.h"
#include "native_text.h"
#include "signals.h"

namespace stptool {
namespace {

ToolError GaveUp() { return ToolError(std::string(kGaveUp), kFailed); }

}  // namespace

std::vector<ListedFile> ListMedium(const Medium& medium, const DiskPrompt& prompt, Progress& progress) {
  ToolHost host(prompt, progress);
  stp::SetupDataReader reader(medium.source_directory, host);
  if (!reader.ChooseFirstVolume()) throw NoSetupDataError();
  stp::ImageSource image(reader, host);
  progress.Start(static_cast<std::uint64_t>(std::max(medium.total_bytes, 0)));
  std::vector<ListedFile> listed;
  try {
    for (std::size_t i = 0; i < medium.files.FileTargets.size(); ++i) {
      const stp::FileEntry entry = stp::CheckedFileEntry(medium.files, static_cast<int>(i));
      const std::string& target = medium.files.FileTargets[i];
      host.ShowTarget(target, reader.CurrentDisk());
      if (!image.Open(entry.offset, entry.length)) {
        StopIfInterrupted();
        throw GaveUp();
      }
      const int volume = reader.CurrentDisk();
      const std::string volume_path = reader.CurrentVolumePath();
      stp::ContentCheck check(entry.check);
      const auto damaged = [&] {
        return stp::DamagedFileError(
            target, {volume, volume_path, reader.CurrentDisk(), reader.CurrentVolumePath()}, check);
      };
      image.Decode([&](const std::uint8_t* data, std::size_t count) {
        if (!check.Add(data, count)) throw damaged();
      });
      image.Close();
      if (host.GaveUp()) throw GaveUp();
      StopIfInterrupted();
      if (!check.Matches()) throw damaged();
      listed.push_back({target, entry.length, check.Size(), entry.time, volume});
    }
  } catch (const stp::Error& e) {
    throw CoreFailure(e);
  }
  return listed;
}

std::string FileTimeUtc(stp::port::FileTime time) {
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t kSecondsPerDay = 86400;
  // Days from 1 March of year 0 to 1 January 1601, in the proleptic
  // Gregorian calendar that file times count in.
  constexpr std::int64_t kDaysBefore1601 = 584694;
  constexpr std::int64_t kDaysPer400Years = 146097;
  const auto seconds = static_cast<std::int64_t>(time / kTicksPerSecond);
  const std::int64_t second_of_day = seconds % kSecondsPerDay;
  // From days to the civil date, with years that begin on 1 March so that
  // the leap day comes last (the well-known days-to-civil conversion).
  const std::int64_t days = seconds / kSecondsPerDay + kDaysBefore1601;
  const std::int64_t era = days / kDaysPer400Years;
  const std::int64_t day_of_era = days - era * kDaysPer400Years;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_from_march = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_from_march + 2) / 5 + 1;
  const std::int64_t month = month_from_march < 10 ? month_from_march + 3 : month_from_march - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day),
                static_cast<long long>(second_of_day / 3600), static_cast<long long>(second_of_day / 60 % 60),
                static_cast<long long>(second_of_day % 60));
  return text;
}

}  // namespace stptool
