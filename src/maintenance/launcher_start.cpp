#include "maintenance/launcher_start.h"

#include <charconv>

#include "maintenance/removal.h"
#include "port/full_path.h"

namespace stp {
namespace {

constexpr char kRecordOption[] = "/record";
constexpr char kWaitOption[] = "/wait";
constexpr char kWaitingOption[] = "/waiting";
constexpr char kSilentOption[] = "/S";
constexpr char kLogOption[] = "/LOG=";

// A full path holds no quote; only backslashes before the closing quote
// need doubling.
std::string Quoted(const std::string& path) {
  std::string quoted = "\"" + path;
  for (auto it = path.rbegin(); it != path.rend() && *it == '\\'; ++it) quoted += '\\';
  return quoted + "\"";
}

std::optional<std::uintptr_t> HandleNumber(const std::string& text) {
  std::uintptr_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number == 0) return std::nullopt;
  return number;
}

}  // namespace

LauncherStart ParseLauncherArguments(const std::vector<std::string>& arguments) {
  LauncherStart start;
  std::optional<std::uintptr_t> process;
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == kRecordOption) {
      start.record = arguments[++i];
    } else if (arguments[i] == kWaitOption) {
      process = HandleNumber(arguments[++i]);
    }
  }
  for (const std::string& argument : arguments) {
    if (argument == kWaitingOption) start.original_waits = true;
    if (argument == kSilentOption) start.silent = true;
    if (argument.rfind(kLogOption, 0) == 0) start.log_file = argument.substr(sizeof kLogOption - 1);
  }
  // Half a continuation is none: without both, the copy could not tell
  // whose file it waits for.
  if (start.record.empty() || !process) return {};
  start.original_process = *process;
  return start;
}

std::string WithQuotedProgramName(std::string_view command_line, std::string_view program_path) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (program_path.empty() || command_line.size() < program_path.size()) return std::string(command_line);
  for (std::size_t i = 0; i < program_path.size(); ++i) {
    if (lower(command_line[i]) != lower(program_path[i])) return std::string(command_line);
  }
  const std::string_view rest = command_line.substr(program_path.size());
  if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') return std::string(command_line);
  return "\"" + std::string(program_path) + "\"" + std::string(rest);
}

std::string CopyArguments(const std::string& record, std::uintptr_t original_process,
                          const CopySwitches& switches) {
  std::string arguments =
      std::string(kRecordOption) + " " + Quoted(record) + " " + kWaitOption + " " + std::to_string(original_process);
  if (switches.original_waits) arguments += std::string(" ") + kWaitingOption;
  if (switches.silent) arguments += std::string(" ") + kSilentOption;
  // The quotes go round the whole argument, so that the name stays in one.
  if (!switches.log_file.empty()) arguments += " " + Quoted(kLogOption + switches.log_file);
  return arguments;
}

std::optional<std::string> DestinationOfRecord(const std::string& record) {
  const std::optional<FullPath> path = FullPath::Parse(record);
  if (!path) return std::nullopt;
  const FullPath destination = path->Parent().Parent();
  const std::optional<FullPath> expected = FullPath::Parse(RecordPath(destination.Directory()).value());
  if (!expected || !expected->IsSameAs(*path)) return std::nullopt;
  return destination.Directory();
}

}  // namespace stp
