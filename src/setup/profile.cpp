#include "setup/profile.h"

#include "port/ansi_text.h"
#include "port/errors.h"
#include "port/file_system.h"

namespace stp {
namespace {

// The profile functions take ^Z (a DOS end-of-file mark found on old media)
// for a blank too.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// Names and values end at a zero byte, as the platform's C strings do.
std::string UpToZero(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

// Names match without regard to the case of ASCII letters; accented letters
// must match exactly.
std::string Fold(std::string_view s) {
  std::string folded(s);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// A file with a byte-order mark is Unicode; anything else is taken as it is.
std::string DecodeContent(std::string_view raw) {
  using namespace std::string_view_literals;
  if (raw.starts_with("\xEF\xBB\xBF"sv)) return Utf8ToAnsiLossy(raw.substr(3));
  const bool little = raw.starts_with("\xFF\xFE"sv);
  if (little || raw.starts_with("\xFE\xFF"sv)) {
    std::u16string units;
    for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
      const auto first = static_cast<unsigned char>(raw[i]);
      const auto second = static_cast<unsigned char>(raw[i + 1]);
      units += static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
    }
    return Utf16ToAnsiLossy(units);
  }
  return std::string(raw);
}

// The value as the buffer receives it: one pair of enclosing quotes removed,
// cut to the buffer. The closing quote is dropped only when the whole value
// fitted the buffer, so a quoted value of exactly the buffer's length loses
// its last character too.
std::string CopyEntry(std::string_view value) {
  constexpr std::size_t kLimit = ProfileFile::kValueBufferSize - 1;
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (quoted) value.remove_prefix(1);
  std::string copy(value.substr(0, kLimit));
  if (quoted && ProfileFile::kValueBufferSize >= value.size() && !copy.empty()) copy.pop_back();
  return copy;
}

}  // namespace

ProfileFile::ProfileFile() { AddSection(""); }

ProfileFile ProfileFile::Load(const std::string& path) {
  std::string content;
  try {
    port::File file = port::File::OpenRead(path);
    content.resize(static_cast<std::size_t>(file.Size()));
    content.resize(file.Read(content.data(), content.size()));
  } catch (const IoError&) {
    return ProfileFile();
  }
  return Parse(content);
}

ProfileFile ProfileFile::Parse(std::string_view raw) {
  ProfileFile profile;
  const std::string content = DecodeContent(raw);
  std::string_view rest = content;
  while (!rest.empty()) {
    const auto end = rest.find_first_of("\r\n");
    std::string_view line = TrimLeft(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty()) continue;

    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != std::string_view::npos) {
        profile.AddSection(UpToZero(Trim(line.substr(1, close - 1))));
        continue;
      }
      // Without a closing bracket the line is an ordinary entry.
    }

    line = TrimRight(line);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      profile.AddEntry(UpToZero(line), std::nullopt);
    } else {
      profile.AddEntry(UpToZero(TrimRight(line.substr(0, equals))), UpToZero(TrimLeft(line.substr(equals + 1))));
    }
  }
  return profile;
}

void ProfileFile::AddSection(std::string name) {
  first_section_.try_emplace(Fold(name), sections_.size());
  sections_.push_back(Section{std::move(name), {}, {}});
}

void ProfileFile::AddEntry(std::string key, std::optional<std::string> value) {
  Section& section = sections_.back();
  section.first_entry.try_emplace(Fold(key), section.entries.size());
  section.entries.push_back(Entry{std::move(key), std::move(value)});
}

// Only the first section of a name is searched, and in it the first entry of
// a key; later duplicates are never seen.
const ProfileFile::Entry* ProfileFile::Find(std::string_view section, std::string_view key) const {
  const auto s = first_section_.find(Fold(UpToZero(Trim(section))));
  if (s == first_section_.end()) return nullptr;
  const Section& found = sections_[s->second];
  const auto e = found.first_entry.find(Fold(UpToZero(Trim(key))));
  return e == found.first_entry.end() ? nullptr : &found.entries[e->second];
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
  const Entry* entry = Find(section, key);
  if (entry && entry->value) return CopyEntry(*entry->value);
  // The platform drops trailing blanks of the default.
  while (!default_value.empty() && default_value.back() == ' ') default_value.remove_suffix(1);
  return CopyEntry(default_value);
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t default_value) const {
  return ParseProfileInteger(ReadString(section, key, "")).value_or(default_value);
}

bool ProfileFile::HasSection(std::string_view section) const {
  return first_section_.contains(Fold(UpToZero(Trim(section))));
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto s = first_section_.find(Fold(UpToZero(Trim(section))));
  if (s == first_section_.end()) return keys;
  const Section& found = sections_[s->second];
  for (std::size_t i = 0; i < found.entries.size(); ++i) {
    const Entry& entry = found.entries[i];
    if (entry.value && found.first_entry.at(Fold(entry.key)) == i) keys.push_back(entry.key);
  }
  return keys;
}

// Names are matched trimmed but kept as given, without leading blanks; a
// section without a name (the entries before the first one) is never
// written to.
bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string new_value(TrimLeft(value));
  const std::string section_name = Fold(Trim(section));
  const auto s = first_section_.find(section_name);
  if (section_name.empty() || s == first_section_.end()) {
    AddSection(std::string(TrimLeft(section)));
    AddEntry(std::string(TrimLeft(key)), new_value);
    return true;
  }
  Section& found = sections_[s->second];
  const auto e = found.first_entry.find(Fold(Trim(key)));
  if (e != found.first_entry.end()) {
    Entry& entry = found.entries[e->second];
    if (entry.value == new_value) return false;
    entry.value = new_value;
    return true;
  }
  const std::string new_key(TrimLeft(key));
  found.first_entry.try_emplace(Fold(new_key), found.entries.size());
  found.entries.push_back(Entry{new_key, new_value});
  return true;
}

std::string ProfileFile::Text() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!section.name.empty()) text += "[" + section.name + "]\r\n";
    const Entry* previous = nullptr;
    for (const Entry& entry : section.entries) {
      // Of nameless entries in a row the platform keeps the first.
      if (entry.key.empty() && previous && previous->key.empty()) continue;
      text += entry.key;
      if (entry.value) text += "=" + *entry.value;
      text += "\r\n";
      previous = &entry;
    }
  }
  return text;
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  // Decimal must fit a signed 32-bit number; hexadecimal may use all 32 bits,
  // which then read as a signed number ($FFFFFFFF is -1).
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : negative ? 0x80000000u : 0x7FFFFFFFu;
  std::uint64_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  const auto bits = static_cast<std::uint32_t>(negative ? 0u - value : value);
  return static_cast<std::int32_t>(bits);
}

}  // namespace stp
