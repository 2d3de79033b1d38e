// Any text as the entries of section Checksums behind a file table of two
// entries, and as one value of it: reading it never fails but by refusing
// the entry, a value that is read is written back the way it is read, and
// a check built from content accepts exactly that content.

#include <algorithm>
#include <string>
#include <string_view>

#include "engine/content_check.h"
#include "engine/extraction.h"
#include "fuzz_codec.h"
#include "setup/configuration.h"
#include "setup/profile.h"

namespace {

using stp::fuzz::Check;

void CheckValue(std::string_view text) {
  const auto check = stp::ParseFileCheck(text);
  if (!check) return;
  const std::string written = stp::FileCheckText(*check);
  Check(stp::ParseFileCheck(written) == check);
  // Only leading zeros of the size can make a value longer than it is written.
  Check(written.size() <= text.size());
  Check(text.find_first_not_of("0123456789,ABCDEFabcdef") == std::string_view::npos);
}

void CheckSection(std::string_view text) {
  const std::string inf =
      "[General]\r\nNextOffset=4\r\n[Files]\r\n1=a,0|0&0\r\n2=b,2|0&0\r\n[Checksums]\r\n" + std::string(text);
  const stp::FileTable table = stp::LoadFileTable(stp::ProfileFile::Parse(inf));
  // The section may be left again by a later one, but it is there.
  Check(table.FileChecks && table.FileChecks->size() == 2);
  for (int index = 0; index < 2; ++index) {
    const std::string& value = (*table.FileChecks)[static_cast<std::size_t>(index)];
    try {
      const stp::FileEntry entry = stp::CheckedFileEntry(table, index);
      Check(entry.check.has_value() && entry.check == stp::ParseFileCheck(value));
    } catch (const stp::Error& e) {
      Check(!stp::ParseFileCheck(value));
      Check(std::string(e.what()) ==
            "Eintrag " + std::to_string(index + 1) + " der Prüfsummen in Setup.inf ist fehlerhaft");
      Check(!e.English().empty());
    }
  }
}

// The content in blocks of uneven sizes, against a check of itself, of
// itself with one byte changed, and of a size one short.
void CheckContent(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto size = static_cast<std::uint32_t>(text.size());
  const stp::FileCheck own{size, stp::Crc32(0, bytes, text.size())};
  const auto run = [&](const stp::FileCheck& stored) {
    stp::ContentCheck check(stored);
    bool going = true;
    for (std::size_t at = 0, step = 1; at < text.size() && going; at += step, step = step * 3 % 7 + 1) {
      going = check.Add(bytes + at, std::min(step, text.size() - at));
    }
    Check(going == !check.Overran());
    return check.Matches();
  };
  Check(run(own));
  Check(stp::ContentCheck(std::nullopt).Matches());
  if (size > 0) {
    Check(!run({size - 1, own.crc}));
    Check(!run({size, own.crc ^ 1}));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckValue(text);
  CheckSection(text);
  CheckContent(text);
  return 0;
}
