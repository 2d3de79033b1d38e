#include <cstdio>

#include "commands.h"
#include "engine/stream_decoder.h"
#include "files.h"

namespace stptool {

// Streams the input through the codec component, as Setup.exe does.
int Decode(std::span<const std::string> args) {
  if (args.size() != 2) {
    std::fputs("usage: stptool decode IN OUT\n", stderr);
    return kUserError;
  }
  CliFile in = CliFile::OpenForReading(args[0]);
  CliFile out = CliFile::Create(args[1]);
  stp::StreamDecoder decoder;
  decoder.Decode([&in](std::uint8_t* buffer, std::size_t count) { return in.Read(buffer, count); },
                 [&out](const std::uint8_t* data, std::size_t count) { out.Write(data, count); });
  out.Close();
  return kSuccess;
}

}  // namespace stptool
