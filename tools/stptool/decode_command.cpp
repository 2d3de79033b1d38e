
#include "arguments.h"
#include "commands.h"
#include "engine/stream_decoder.h"
#include "files.h"
#include "signals.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage = "usage: stptool decode IN OUT\n";

}  // namespace

// Streams the input through the codec component, as Setup.exe does.
int Decode(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 2) return WrongUsage(kUsage);
  CliFile in = CliFile::OpenForReading(parsed.operands[0]);
  CliFile out = CliFile::Create(parsed.operands[1]);
  stp::StreamDecoder decoder;
  decoder.Decode(
      [&in](std::uint8_t* buffer, std::size_t count) {
        StopIfInterrupted();
        return in.Read(buffer, count);
      },
      [&out](const std::uint8_t* data, std::size_t count) { out.Write(data, count); });
  out.Close();
  return kSuccess;
}

}  // namespace stptool
