#include "support/codec_run.h"

#include <algorithm>

#include "lzh/Lzh_op.h"

namespace stp::test {

CodecRun RunCodec(std::span<const std::uint8_t> stream, const CodecSetup& setup) {
  CodecRun run;
  TLZHCompressor codec;
  codec.SetReadBufSize(setup.read_size);
  codec.SetWriteBufSize(setup.write_size);
  std::size_t read = 0;
  codec.OnGetBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes,
                         std::uint16_t& Bytes_Got) {
    ++run.get_calls;
    const std::size_t n = std::min({std::size_t{NBytes}, setup.chunk, stream.size() - read});
    std::copy_n(stream.begin() + read, n, DTA.begin());
    read += n;
    Bytes_Got = static_cast<std::uint16_t>(n);
  };
  codec.OnPutBytes = [&](TCustomLZHCompressor&, BufType& DTA, std::uint16_t NBytes, std::uint16_t&) {
    run.output.insert(run.output.end(), DTA.begin(), DTA.begin() + NBytes);
    run.put_sizes.push_back(NBytes);
  };
  codec.Decompress();
  return run;
}

}  // namespace stp::test
