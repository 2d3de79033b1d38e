#include <optional>

#include "arguments.h"
#include "commands.h"
#include "files.h"
#include "lzh/Lzh_op.h"
#include "signals.h"

namespace stptool {
namespace {

constexpr std::string_view kUsage = "usage: stptool decode IN OUT\n";

}  // namespace

// Streams the input through the codec component, as Setup.exe does. The
// component ends a run quietly when an event fails, so the events keep the
// first failure for the caller.
int Decode(std::span<const std::string> args) {
  const Arguments parsed = ParseArguments(args, {}, {}, kUsage);
  if (parsed.help) return ShowUsage(kUsage);
  if (parsed.operands.size() != 2) return WrongUsage(kUsage);
  CliFile in = CliFile::OpenForReading(parsed.operands[0]);
  CliFile out = CliFile::Create(parsed.operands[1]);
  std::optional<ToolError> failure;

  stp::TLZHCompressor codec;
  codec.SetReadBufSize(stp::kLargestBufSize);
  codec.SetWriteBufSize(stp::kLargestBufSize);
  codec.OnGetBytes = [&](stp::TCustomLZHCompressor&, stp::BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t& Bytes_Got) {
    Bytes_Got = 0;
    if (failure) return;
    try {
      StopIfInterrupted();
      Bytes_Got = static_cast<std::uint16_t>(in.Read(DTA.data(), NBytes));
    } catch (const ToolError& error) {
      failure = error;
    }
  };
  codec.OnPutBytes = [&](stp::TCustomLZHCompressor&, stp::BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t&) {
    if (failure) return;
    try {
      out.Write(DTA.data(), NBytes);
    } catch (const ToolError& error) {
      failure = error;
    }
  };
  codec.Decompress();
  if (failure) throw *failure;
  out.Close();
  return kSuccess;
}

}  // namespace stptool
