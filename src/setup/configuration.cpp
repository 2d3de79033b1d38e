#include "setup/configuration.h"

#include <cstdio>
#include <limits>

namespace stp {
namespace {

constexpr std::string_view kGeneral = "General";

struct SplitText {
  std::string before;
  std::string after;
};

// Splits at the first separator; without one, the first part is empty and
// the whole text is the rest.
SplitText SplitAtFirst(const std::string& text, char separator) {
  const auto at = text.find(separator);
  if (at == std::string::npos) return {"", text};
  return {text.substr(0, at), text.substr(at + 1)};
}

// Numbered keys "1", "2", ... up to the first missing or empty value; a gap
// ends the list.
std::vector<std::string> NumberedValues(const ProfileFile& inf, std::string_view section) {
  std::vector<std::string> values;
  for (int number = 1;; ++number) {
    std::string value = inf.ReadString(section, std::to_string(number), "");
    if (value.empty()) return values;
    values.push_back(std::move(value));
  }
}

}  // namespace

SetupConfiguration ReadSetupConfiguration(const ProfileFile& inf) {
  const SetupConfiguration defaults;
  SetupConfiguration config;
  config.Organisation = inf.ReadString(kGeneral, "Organisation", "");
  config.Product = inf.ReadString(kGeneral, "Product", "");
  config.Version = inf.ReadString(kGeneral, "Version", "");
  config.EVersion = inf.ReadString(kGeneral, "EVersion", "");
  config.DefDirectory = inf.ReadString(kGeneral, "DefDirectory", "");
  config.RequireNT = inf.ReadString(kGeneral, "RequireNT", defaults.RequireNT);
  config.RebootSystem = inf.ReadString(kGeneral, "RebootSystem", defaults.RebootSystem);
  const auto colour = [&inf](std::string_view key, Colour fallback) {
    return static_cast<Colour>(inf.ReadInteger(kGeneral, key, static_cast<std::int32_t>(fallback)));
  };
  config.BackCl = colour("BackCl", defaults.BackCl);
  config.FontCl = colour("FontCl", defaults.FontCl);
  config.ShadowCl = colour("ShadowCl", defaults.ShadowCl);
  return config;
}

std::string ProductTitle(const SetupConfiguration& config) {
  return config.Organisation + " " + config.Product + " " + config.Version;
}

std::string WindowCaption(const SetupConfiguration& config) { return ProductTitle(config) + "-Setup"; }

std::string ProductKey(const SetupConfiguration& config) {
  return "Software\\" + config.Organisation + "\\" + config.Product + "\\" + config.EVersion;
}

std::string InitialDestination(const SetupConfiguration& config) {
  if (!config.DefDirectory.empty()) return config.DefDirectory;
  return "C:\\Programme\\" + config.Organisation + " " + config.Product;
}

std::string UninstallEntryName(const SetupConfiguration& config) {
  return config.Organisation + config.Product + config.Version;
}

std::string SetupRunName(const SetupConfiguration& config) {
  // Letter case as the registry compares key names; a kernel object name
  // takes no "\".
  std::string product = config.Organisation + "/" + config.Product;
  for (char& c : product) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '\\') c = '/';
  }
  return "SetupRun/" + product;
}

FileTable LoadFileTable(const ProfileFile& inf) {
  FileTable table;
  for (const std::string& value : NumberedValues(inf, "Files")) {
    SplitText target = SplitAtFirst(value, ',');
    SplitText position = SplitAtFirst(target.after, '|');
    table.FileTargets.push_back(std::move(target.before));
    table.FileOffsets.push_back(std::move(position.before));
    table.FileTimes.push_back(std::move(position.after));
  }
  table.FileOffsets.push_back(inf.ReadString(kGeneral, "NextOffset", "0"));
  if (inf.HasSection(kChecksumSection)) {
    std::vector<std::string>& checks = table.FileChecks.emplace();
    for (std::size_t key = 1; key <= table.FileTargets.size(); ++key) {
      checks.push_back(inf.ReadString(kChecksumSection, std::to_string(key), ""));
    }
  }
  return table;
}

std::optional<FileCheck> ParseFileCheck(std::string_view text) {
  constexpr std::size_t kCrcDigits = 8;
  constexpr std::size_t kMostSizeDigits = 10;
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view size = text.substr(0, comma);
  const std::string_view crc = text.substr(comma + 1);
  if (size.empty() || size.size() > kMostSizeDigits || crc.size() != kCrcDigits) return std::nullopt;
  std::uint64_t size_value = 0;
  for (const char c : size) {
    if (c < '0' || c > '9') return std::nullopt;
    size_value = size_value * 10 + static_cast<unsigned>(c - '0');
  }
  if (size_value > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) return std::nullopt;
  std::uint32_t crc_value = 0;
  for (const char c : crc) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    crc_value = crc_value << 4 | digit;
  }
  return FileCheck{static_cast<std::uint32_t>(size_value), crc_value};
}

std::string FileCheckText(const FileCheck& check) {
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(check.crc));
  return std::to_string(check.size) + "," + crc;
}

LinkTable LoadLinkTable(const ProfileFile& inf) {
  LinkTable table;
  for (const std::string& value : NumberedValues(inf, "Links")) {
    SplitText link = SplitAtFirst(value, ',');
    table.LinkNames.push_back(std::move(link.before));
    table.LinkTargets.push_back(std::move(link.after));
  }
  return table;
}

std::int32_t ReadTotalBytes(const ProfileFile& inf) { return inf.ReadInteger(kGeneral, "Bytes", 0); }

}  // namespace stp
