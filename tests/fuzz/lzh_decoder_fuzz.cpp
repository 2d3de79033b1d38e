// Any byte string is a stream. The decoder must agree with the step-by-step
// reference decoder, except for a final symbol that is only the trailer's 1
// bit, and its output must not depend on how the input arrives.

#include "fuzz_codec.h"
#include "lzh_support/reference_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace stp;
  const std::span<const std::uint8_t> stream(data, size);
  const std::vector<std::uint8_t> output = fuzz::DecodeWhole(stream);
  const reference::Decoded literal = reference::Decode(stream);
  fuzz::Check(output.size() + literal.trailer_bytes == literal.bytes.size());
  fuzz::Check(std::equal(output.begin(), output.end(), literal.bytes.begin()));
  fuzz::Check(fuzz::DecodeWhole(stream, true) == output);
  return 0;
}
