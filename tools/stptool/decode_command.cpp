#include <cstdio>
#include <optional>

#include "commands.h"
#include "files.h"
#include "lzh/Lzh_op.h"

namespace stptool {

// Streams the input through the codec component, as Setup.exe does. The
// component ends a run quietly when an event fails, so the events keep the
// first failure for the caller.
int Decode(std::span<const std::string> args) {
  if (args.size() != 2) {
    std::fputs("usage: stptool decode IN OUT\n", stderr);
    return kUserError;
  }
  CliFile in = CliFile::OpenForReading(args[0]);
  CliFile out = CliFile::Create(args[1]);
  std::optional<ToolError> failure;

  stp::TLZHCompressor codec;
  codec.SetReadBufSize(stp::kLargestBufSize);
  codec.SetWriteBufSize(stp::kLargestBufSize);
  codec.OnGetBytes = [&](stp::TCustomLZHCompressor&, stp::BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t& Bytes_Got) {
    Bytes_Got = 0;
    if (failure) return;
    try {
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
