#include "setup/configuration.h"

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
  return table;
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
