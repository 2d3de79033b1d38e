#include "setup/command_line.h"

#include <optional>

#include "port/full_path.h"

namespace stp {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(start[i])) return false;
  }
  return true;
}

bool EqualsIgnoringCase(std::string_view text, std::string_view other) {
  return text.size() == other.size() && StartsWithIgnoringCase(text, other);
}

// The switches that take a path, written with "=" after their name.
enum class PathSwitch { kDestination, kLog };

struct PathSwitchName {
  PathSwitch which;
  std::string_view name;  // with its "="
};
constexpr PathSwitchName kPathSwitches[] = {{PathSwitch::kDestination, "D="}, {PathSwitch::kLog, "LOG="}};

// The length of a path switch's name at text (after its "/" or "-"), 0 when
// none starts there.
std::size_t PathSwitchLength(std::string_view text, PathSwitch* which = nullptr) {
  for (const PathSwitchName& candidate : kPathSwitches) {
    if (StartsWithIgnoringCase(text, candidate.name)) {
      if (which) *which = candidate.which;
      return candidate.name.size();
    }
  }
  return 0;
}

// Whether a known switch, quoted or not, starts at text: there an unquoted
// path ends. After "/" anything counts; after "-" only a known name, since
// a folder name may hold " -".
bool StartsSwitch(std::string_view text) {
  if (!text.empty() && text[0] == '"') text.remove_prefix(1);
  if (text.empty()) return false;
  if (text[0] == '/') return true;
  if (text[0] != '-') return false;
  text.remove_prefix(1);
  if (PathSwitchLength(text) > 0) return true;
  for (std::string_view name : {"S", "U"}) {
    if (StartsWithIgnoringCase(text, name) &&
        (text.size() == name.size() || IsBlank(text[name.size()]) || text[name.size()] == '"')) {
      return true;
    }
  }
  return false;
}

// Reads the command line's text argument by argument.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  // The program's name: up to the first blank outside quotes; no "\"
  // escapes, as in the C runtime.
  void SkipProgramName() {
    bool quoted = false;
    for (; pos_ < text_.size() && (quoted || !IsBlank(text_[pos_])); ++pos_) {
      if (text_[pos_] == '"') quoted = !quoted;
    }
  }

  // False at the end of the text.
  bool NextArgument() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    return pos_ < text_.size();
  }

  // A path switch at the start of the current argument: its leading "/" or
  // "-" and name as written, and which one it is.
  std::optional<std::string> PathSwitchHere(PathSwitch& which) const {
    std::string_view rest = text_.substr(pos_);
    if (rest[0] == '"') rest.remove_prefix(1);
    if (rest.empty() || (rest[0] != '/' && rest[0] != '-')) return std::nullopt;
    const std::size_t length = PathSwitchLength(rest.substr(1), &which);
    if (length == 0) return std::nullopt;
    return std::string(rest.substr(0, 1 + length));
  }

  // The rest of a path switch's argument, after name_length characters of
  // switch (an opening quote before the switch included). Quotes only
  // group: a path holds none, so "\" before one is part of the path.
  std::string PathValue(std::size_t name_length) {
    bool in_quotes = text_[pos_] == '"';
    bool quoted = in_quotes;
    pos_ += name_length + (in_quotes ? 1 : 0);
    std::string value;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '"') {
        in_quotes = !in_quotes;
        quoted = true;
        ++pos_;
      } else if (IsBlank(c) && !in_quotes) {
        if (quoted) break;
        std::size_t next = pos_;
        while (next < text_.size() && IsBlank(text_[next])) ++next;
        if (next == text_.size() || StartsSwitch(text_.substr(next))) break;
        value.append(text_.substr(pos_, next - pos_));
        pos_ = next;
      } else {
        value += c;
        ++pos_;
      }
    }
    return value;
  }

  // One argument as the C runtime splits it: quotes group and vanish, 2n
  // backslashes before a quote give n, 2n+1 give n and a literal quote, and
  // "" within quotes is a literal quote.
  std::string Argument() {
    std::string argument;
    bool in_quotes = false;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\\') {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] == '\\') ++pos_;
        const std::size_t count = pos_ - start;
        const bool before_quote = pos_ < text_.size() && text_[pos_] == '"';
        argument.append(before_quote ? count / 2 : count, '\\');
        if (before_quote && count % 2 == 1) {
          argument += '"';
          ++pos_;
        }
      } else if (c == '"') {
        if (in_quotes && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
          argument += '"';
          pos_ += 2;
        } else {
          in_quotes = !in_quotes;
          ++pos_;
        }
      } else if (IsBlank(c) && !in_quotes) {
        break;
      } else {
        argument += c;
        ++pos_;
      }
    }
    return argument;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

class Interpreter {
 public:
  Interpreter(CommandLine& result, Program program) : result_(result), program_(program) {}

  void PathArgument(PathSwitch which, const std::string& name, const std::string& value) {
    if (which == PathSwitch::kDestination && program_ == Program::kLauncher) {
      Refuse("Unbekannter Schalter " + Quoted(name + value) + ".");
      return;
    }
    bool& seen = which == PathSwitch::kDestination ? destination_seen_ : log_seen_;
    if (seen) {
      Refuse("Der Schalter " + Quoted(name) + " ist mehrfach angegeben.");
      return;
    }
    seen = true;
    if (value.empty()) {
      Refuse(which == PathSwitch::kDestination ? "Nach " + Quoted(name) + " fehlt das Zielverzeichnis."
                                               : "Nach " + Quoted(name) + " fehlt die Protokolldatei.");
    } else if (which == PathSwitch::kLog) {
      result_.log_file = value;
    } else if (const std::optional<FullPath> directory = FullPath::Parse(value)) {
      // The destination goes into the record and the product key: the
      // removal must later find it usable, whatever the current directory.
      result_.destination = directory->Directory();
    } else {
      Refuse("Das Zielverzeichnis " + Quoted(value) +
             " ist kein vollständiger Pfad mit Laufwerk, zum Beispiel C:\\Programme\\Produkt.");
    }
  }

  void Argument(const std::string& argument, bool first) {
    // The first argument keeps its old meaning whatever else it looks like.
    if (first && IsRemovalSwitch(argument)) result_.classic_removal = true;
    const bool is_switch = !argument.empty() && (argument[0] == '/' || argument[0] == '-');
    const std::string_view name = is_switch ? std::string_view(argument).substr(1) : std::string_view();
    if (is_switch && EqualsIgnoringCase(name, "S")) {
      result_.silent = true;
    } else if (is_switch && EqualsIgnoringCase(name, "U")) {
      result_.removal_switch = true;
    } else if (!(first && result_.classic_removal)) {
      Refuse((is_switch ? "Unbekannter Schalter " : "Unbekanntes Argument ") + Quoted(argument) + ".");
    }
  }

 private:
  void Refuse(std::string error) { result_.errors.push_back(std::move(error)); }

  CommandLine& result_;
  Program program_;
  bool destination_seen_ = false;
  bool log_seen_ = false;
};

}  // namespace

bool IsRemovalSwitch(std::string_view first_argument) {
  // ASCII only: the argument's code page must not turn another letter into "u".
  return first_argument.size() >= 2 && (first_argument[1] == 'u' || first_argument[1] == 'U');
}

CommandLine ParseCommandLine(std::string_view command_line, Program program) {
  CommandLine result;
  Interpreter interpreter(result, program);
  Scanner scanner(command_line);
  scanner.SkipProgramName();
  for (bool first = true; scanner.NextArgument(); first = false) {
    PathSwitch which{};
    if (const std::optional<std::string> name = scanner.PathSwitchHere(which)) {
      interpreter.PathArgument(which, *name, scanner.PathValue(name->size()));
    } else {
      interpreter.Argument(scanner.Argument(), first);
    }
  }
  return result;
}

std::string CommandLineErrorText(const CommandLine& command_line, Program program) {
  std::string text;
  for (const std::string& error : command_line.errors) text += error + "\n";
  return text + (program == Program::kSetup
                     ? "Setup kennt die Schalter /S (ohne Rückfragen), /D=Zielverzeichnis, "
                       "/LOG=Protokolldatei und /u (Entfernen)."
                     : "Das Programm kennt die Schalter /S (ohne Rückfragen), /LOG=Protokolldatei und /u.");
}

}  // namespace stp
