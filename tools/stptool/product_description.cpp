#include "product_description.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "native_text.h"
#include "port/ansi_text.h"
#include "port/file_system.h"
#include "target_names.h"

namespace stptool {
namespace {

enum class ValueKind { kText, kSwitch, kColour };

struct ProductKey {
  std::string_view key;
  std::string_view inf_key;
  ValueKind kind;
  bool required;
  // Written when the key is missing; empty: not written at all.
  std::string_view fallback;
};

// In the order Setup.inf lists them.
constexpr std::array<ProductKey, 10> kProductKeys = {{
    {"organisation", "Organisation", ValueKind::kText, true, ""},
    {"product", "Product", ValueKind::kText, true, ""},
    {"version", "Version", ValueKind::kText, true, ""},
    {"key-version", "EVersion", ValueKind::kText, false, ""},
    {"default-directory", "DefDirectory", ValueKind::kText, false, ""},
    {"requires-nt", "RequireNT", ValueKind::kSwitch, false, "0"},
    {"restart", "RebootSystem", ValueKind::kSwitch, false, "1"},
    {"background-colour", "BackCl", ValueKind::kColour, false, ""},
    {"title-colour", "FontCl", ValueKind::kColour, false, ""},
    {"shadow-colour", "ShadowCl", ValueKind::kColour, false, ""},
}};
constexpr std::size_t kVersionKey = 2;
constexpr std::size_t kKeyVersionKey = 3;

constexpr std::string_view kArrow = "->";
constexpr std::string_view kShortcutExtension = ".lnk";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class Section { kNone, kProduct, kFiles, kLinks };

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EndsWithFolded(std::string_view text, std::string_view lower_suffix) {
  if (text.size() < lower_suffix.size()) return false;
  return std::equal(
      lower_suffix.begin(), lower_suffix.end(), text.end() - lower_suffix.size(),
      [](char s, char t) { return s == (t >= 'A' && t <= 'Z' ? static_cast<char>(t - 'A' + 'a') : t); });
}

// The characters of a UTF-8 text that Windows-1252 has no byte for.
std::string NotInAnsi(std::string_view utf8) {
  std::string missing;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t end = i + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    const std::string_view character = utf8.substr(i, end - i);
    if (!stp::Utf8ToAnsi(character) && missing.find(character) == std::string::npos) {
      if (!missing.empty()) missing += ' ';
      missing += character;
    }
    i = end;
  }
  return missing;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

class Parser {
 public:
  explicit Parser(const std::string& name) { description_.name = name; }

  void Line(int number, std::string_view line) {
    line_ = number;
    if (line.empty() || line.front() == '#') return;
    if (line.front() == '[') return Header(line);
    switch (section_) {
      case Section::kNone: throw Fail("expected [product], [files] or [links] first");
      case Section::kProduct: return ProductLine(line);
      case Section::kFiles: return FileLine(line);
      case Section::kLinks: return LinkLine(line);
    }
  }

  ProductDescription Finish() {
    for (std::size_t k = 0; k < kProductKeys.size(); ++k) {
      const ProductKey& key = kProductKeys[k];
      if (values_[k]) {
        description_.general.emplace_back(key.inf_key, *values_[k]);
      } else if (key.required) {
        throw ToolError(description_.name + ": [product] needs '" + std::string(key.key) + "'", kUserError);
      } else if (k == kKeyVersionKey) {
        // A new version gets a product key of its own unless told otherwise.
        description_.general.emplace_back(key.inf_key, *values_[kVersionKey]);
      } else if (!key.fallback.empty()) {
        description_.general.emplace_back(key.inf_key, key.fallback);
      }
    }
    return std::move(description_);
  }

 private:
  ToolError Fail(const std::string& message) const {
    return DescriptionError(description_.name, line_, message);
  }

  void Header(std::string_view line) {
    constexpr std::array<std::pair<std::string_view, Section>, 3> kSections = {
        {{"[product]", Section::kProduct}, {"[files]", Section::kFiles}, {"[links]", Section::kLinks}}};
    for (const auto& [header, section] : kSections) {
      if (line != header) continue;
      if (std::find(seen_.begin(), seen_.end(), section) != seen_.end()) {
        throw Fail(std::string(header) + " appears a second time");
      }
      seen_.push_back(section);
      section_ = section;
      return;
    }
    throw Fail("unknown section " + std::string(line) + "; expected [product], [files] or [links]");
  }

  // The text in Windows-1252, as Setup.inf holds it. Lines are known to be
  // UTF-8 by now.
  std::string Ansi(std::string_view utf8, std::string_view what) const {
    const auto ansi = stp::Utf8ToAnsi(utf8);
    if (!ansi) {
      throw Fail("the " + std::string(what) + " holds characters that Windows-1252 cannot write (" +
                 NotInAnsi(utf8) + ")");
    }
    return *ansi;
  }

  // A path as Setup.inf writes it: "\" between parts.
  std::string AnsiPath(std::string_view utf8, std::string_view what) const {
    std::string path = Ansi(utf8, what);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
  }

  void ProductLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) throw Fail("expected 'key = value'");
    const std::string_view key = Trimmed(line.substr(0, equals));
    const std::string_view value = Trimmed(line.substr(equals + 1));
    const auto known = std::find_if(kProductKeys.begin(), kProductKeys.end(),
                                    [&](const ProductKey& k) { return k.key == key; });
    if (known == kProductKeys.end()) throw Fail("unknown key '" + std::string(key) + "'");
    auto& slot = values_[known - kProductKeys.begin()];
    if (slot) throw Fail("'" + std::string(key) + "' is given a second time");
    if (value.empty()) throw Fail("'" + std::string(key) + "' has no value");
    switch (known->kind) {
      case ValueKind::kText: slot = TextValue(key, value); break;
      case ValueKind::kSwitch: slot = SwitchValue(key, value); break;
      case ValueKind::kColour: slot = ColourValue(key, value); break;
    }
  }

  std::string TextValue(std::string_view key, std::string_view value) const {
    std::string text = Ansi(value, "value of '" + std::string(key) + "'");
    if (const std::string problem = ProfileValueProblem(text); !problem.empty()) {
      throw Fail("the value of '" + std::string(key) + "' " + problem + ", which Setup.inf cannot keep");
    }
    return text;
  }

  std::string SwitchValue(std::string_view key, std::string_view value) const {
    if (value == "yes") return "1";
    if (value == "no") return "0";
    throw Fail("'" + std::string(key) + "' is yes or no, not '" + std::string(value) + "'");
  }

  // "#RRGGBB" as people write colours; Setup.inf keeps them as 0x00BBGGRR.
  std::string ColourValue(std::string_view key, std::string_view value) const {
    if (value.size() != 7 || value[0] != '#' || !std::all_of(value.begin() + 1, value.end(), IsHexDigit)) {
      throw Fail("'" + std::string(key) + "' is a colour #RRGGBB, not '" + std::string(value) + "'");
    }
    const unsigned long rgb = std::stoul(std::string(value.substr(1)), nullptr, 16);
    const unsigned long bgr = (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16);
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", bgr);
    return text;
  }

  void FileLine(std::string_view line) {
    const auto arrow = line.find(kArrow);
    const std::string_view written = Trimmed(line.substr(0, arrow));
    std::string source = AnsiPath(written, "source");
    if (source.empty()) throw Fail("expected 'SOURCE' or 'SOURCE -> TARGET'");
    if (source.front() == '\\') throw Fail("the source '" + std::string(written) + "' is absolute");
    bool folder = source.back() == '\\';
    source = WithoutDotParts(source);
    if (source.empty()) {
      folder = true;  // "." or "./": the source folder itself
    } else if (const std::string problem = NameProblem(source, Placeholders::kRefused); !problem.empty()) {
      throw Fail("the source '" + std::string(written) + "' " + Shown(problem));
    }
    std::string target = source;
    if (arrow != std::string_view::npos) {
      target = AnsiPath(Trimmed(line.substr(arrow + kArrow.size())), "target");
      if (target.empty()) throw Fail("no target after '->'");
      const bool into_folder = target.back() == '\\';
      target = WithoutDotParts(target);
      if (!folder && into_folder) {
        // Into that folder, under the source's own name.
        const std::string own_name = source.substr(source.rfind('\\') + 1);
        target = target.empty() ? own_name : target + "\\" + own_name;
      }
    }
    description_.files.push_back({line_, source, folder, target});
  }

  // Without "." parts and without a trailing "\": the form in which sources
  // and folder targets are joined with the names below them.
  static std::string WithoutDotParts(const std::string& path) {
    std::string kept;
    bool first = true;
    for (std::size_t start = 0; start <= path.size();) {
      std::size_t end = path.find('\\', start);
      if (end == std::string::npos) end = path.size();
      const std::string part = path.substr(start, end - start);
      const bool trailing = part.empty() && end == path.size() && start > 0;
      if (part != "." && !trailing) {
        if (!first) kept += '\\';
        kept += part;
        first = false;
      }
      start = end + 1;
    }
    return kept;
  }

  void LinkLine(std::string_view line) {
    const auto arrow = line.find(kArrow);
    if (arrow == std::string_view::npos) throw Fail("expected 'SHORTCUT -> TARGET'");
    const std::string name = AnsiPath(Trimmed(line.substr(0, arrow)), "shortcut");
    const std::string target = AnsiPath(Trimmed(line.substr(arrow + kArrow.size())), "target");
    if (name.empty() || target.empty()) throw Fail("expected 'SHORTCUT -> TARGET'");
    if (const std::string problem = NameProblem(name, Placeholders::kRefused); !problem.empty()) {
      throw Fail("the shortcut '" + ShownPath(name) + "' " + Shown(problem));
    }
    if (name.find(',') != std::string::npos) throw Fail("a shortcut's name cannot hold ','");
    if (!EndsWithFolded(name, kShortcutExtension)) throw Fail("a shortcut's name ends in .lnk");
    description_.links.push_back({line_, name, target});
  }

  ProductDescription description_;
  Section section_ = Section::kNone;
  std::vector<Section> seen_;
  std::array<std::optional<std::string>, kProductKeys.size()> values_;
  int line_ = 0;
};

}  // namespace

ToolError DescriptionError(const std::string& name, int line, const std::string& message) {
  return ToolError(name + ":" + std::to_string(line) + ": " + message, kUserError);
}

ProductDescription ParseProductDescription(std::string_view text, const std::string& name) {
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  Parser parser(name);
  int number = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    // A description saved in another code page would otherwise be blamed
    // on Windows-1252.
    if (!stp::IsUtf8(line)) {
      throw DescriptionError(name, number, "the line is not UTF-8 text; save the description as UTF-8");
    }
    parser.Line(number, Trimmed(line));
  }
  return parser.Finish();
}

ProductDescription LoadProductDescription(const std::string& path) {
  std::string text;
  try {
    stp::port::File file = stp::port::File::OpenRead(path);
    text.resize(static_cast<std::size_t>(file.Size()));
    text.resize(file.Read(text.data(), text.size()));
  } catch (const stp::IoError& e) {
    throw ToolError("cannot read '" + ShownPath(path) + "': " + IoReason(e), kUserError);
  }
  return ParseProductDescription(text, ShownPath(path));
}

}  // namespace stptool
