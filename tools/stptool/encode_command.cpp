#include "arguments.h"
#include "commands.h"
#include "files.h"
#include "lzh/lzh_encoder.h"
#include "signals.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage = "usage: stptool encode IN OUT\n";

}  // namespace

// Streams the input through the encoder a block at a time, so that memory
// does not grow with the file.
int Encode(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 2) return WrongUsage(kUsage);
  CliFile in = CliFile::OpenForReading(parsed.operands[0]);
  CliFile out = CliFile::Create(parsed.operands[1]);
  stp::LzhEncode(
      [&in](std::uint8_t* buffer, std::size_t count) {
        StopIfInterrupted();
        return in.Read(buffer, count);
      },
      [&out](std::span<const std::uint8_t> bytes) { out.Write(bytes.data(), bytes.size()); });
  out.Close();
  return kSuccess;
}

}  // namespace stptool
