#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace stp {

// A Windows profile (INI) file read with the rules of GetPrivateProfileStringA
// and a value buffer of 1024 characters, and changed with the rules of
// WritePrivateProfileStringA. A missing or unreadable file reads as an empty
// one: every lookup yields its default.
class ProfileFile {
 public:
  static constexpr std::size_t kValueBufferSize = 1024;

  ProfileFile();
  static ProfileFile Load(const std::string& path);
  static ProfileFile Parse(std::string_view content);

  // The value of key in section, at most 1023 characters, or default_value
  // when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // The value read as an integer (ParseProfileInteger), or default_value.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t default_value) const;
  // Whether the file has a section of the name, even an empty one.
  bool HasSection(std::string_view section) const;
  // The keys of the section that a lookup finds a value for, in the order of
  // the file; none when there is no such section.
  std::vector<std::string> Keys(std::string_view section) const;

  // Sets key in section to value, without its leading blanks: the first
  // entry of the key in the first section of the name is replaced where it
  // stands, a new key goes to the end of that section, a new section to the
  // end of the file. False when the value is there already.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  // The file as the platform writes it back: one "[section]" or
  // "key=value" line each, ended by CR LF, without blank lines or blanks
  // around names, "=" and values. A file read with a byte-order mark comes
  // back without it, in Windows-1252.
  std::string Text() const;

 private:
  struct Entry {
    std::string key;
    std::optional<std::string> value;  // a line without "=" has none
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> first_entry;  // by folded key
  };

  void AddSection(std::string name);
  void AddEntry(std::string key, std::optional<std::string> value);
  const Entry* Find(std::string_view section, std::string_view key) const;

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> first_section_;  // by folded name
};

// The integer rule of profile values: leading blanks, an optional sign,
// decimal digits, or hexadecimal digits after "$" or (in a text of more than
// two characters) after "0x"/"0X"; signed 32 bits. Anything else, the empty
// text included, is not a number.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

}  // namespace stp
