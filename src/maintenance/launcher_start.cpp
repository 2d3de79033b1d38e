#include "maintenance/launcher_start.h"

#include <charconv>

#include "maintenance/removal.h"
#include "port/full_path.h"

namespace stp {
namespace {

constexpr char kRecordOption[] = "/record";
constexpr char kWaitOption[] = "/wait";

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
  // Half a continuation is none: without both, the copy could not tell
  // whose file it waits for.
  if (start.record.empty() || !process) return {};
  start.original_process = *process;
  return start;
}

std::string CopyArguments(const std::string& record, std::uintptr_t original_process) {
  return std::string(kRecordOption) + " " + Quoted(record) + " " + kWaitOption + " " +
         std::to_string(original_process);
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
