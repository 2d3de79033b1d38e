#include <cstdio>

#include "commands.h"
#include "files.h"
#include "lzh/lzh_encoder.h"

namespace stptool {

int Encode(std::span<const std::string> args) {
  if (args.size() != 2) {
    std::fputs("usage: stptool encode IN OUT\n", stderr);
    return kUserError;
  }
  WriteWholeFile(args[1], stp::LzhEncode(ReadWholeFile(args[0])));
  return kSuccess;
}

}  // namespace stptool
