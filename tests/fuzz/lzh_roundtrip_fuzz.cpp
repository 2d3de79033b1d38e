// Any data encodes to a stream that decodes back to it, in the component and
// in the step-by-step reference decoder.

#include "fuzz_codec.h"
#include "lzh/lzh_encoder.h"
#include "lzh_support/reference_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stp;
  const std::span<const std::uint8_t> input(data, size);
  const std::vector<std::uint8_t> stream = LzhEncode(input);
  fuzz::Check(size > 0 || stream.empty());
  const std::vector<std::uint8_t> output = fuzz::DecodeWhole(stream);
  fuzz::Check(std::equal(output.begin(), output.end(), input.begin(), input.end()));
  const reference::Decoded literal = reference::Decode(stream);
  fuzz::Check(literal.bytes.size() - literal.trailer_bytes == size);
  fuzz::Check(std::equal(input.begin(), input.end(), literal.bytes.begin()));
  return 0;
}
