#include "lzh/lzh_decoder.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

namespace stp::lzh {
namespace {

// DecodeFast tops the pending bits up to at least kFastBits from the next
// kFastRefillBytes bytes, enough for the longest symbol code followed by the
// longest position code.
constexpr std::ptrdiff_t kFastRefillBytes = 8;
constexpr unsigned kFastBits = 56;
static_assert(LzhTree::kLongestCodeBits + kLongestPositionBits <= kFastBits);

// The pending bits of a stream's trailer once the source is dry: one 1 bit,
// then only zeros.
constexpr std::uint64_t kTrailer = std::uint64_t{1} << 63;

std::uint64_t LoadBigEndian64(const std::uint8_t* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  if constexpr (std::endian::native == std::endian::little) value = __builtin_bswap64(value);
  return value;
}

}  // namespace

void LzhDecoder::Run(DecoderIo& io) {
  Reset();
  for (;;) {
    DecodeFast(io);
    DecodeOneCarefully(io);
  }
}

void LzhDecoder::Reset() {
  tree_.Init();
  std::fill(dictionary_.begin(), dictionary_.begin() + kDictionaryStart, kDictionaryFill);
  std::fill(dictionary_.begin() + kDictionaryStart, dictionary_.end(), 0);
  write_position_ = kDictionaryStart;
  bits_ = 0;
  bit_count_ = 0;
  source_dry_ = false;
}

// The bulk of a stream. While the input block holds kFastRefillBytes more
// bytes, no code can reach the end of the block or of the stream, so the bits
// are topped up a word at a time and nothing is checked per bit. The bytes it
// takes early come from the block, so no source request moves.
void LzhDecoder::DecodeFast(DecoderIo& io) {
  if (source_dry_) return;
  std::uint8_t* const dictionary = dictionary_.data();
  std::uint64_t bits = bits_;
  unsigned count = bit_count_;
  const std::uint8_t* in = io.in_next;
  const std::uint8_t* const in_end = io.in_end;
  std::uint8_t* out = io.out_next;
  std::uint8_t* out_end = io.out_end;
  unsigned r = write_position_;
  // One output byte: into the output block, or through io when it is full.
  const auto put = [&](std::uint8_t byte) {
    if (out != out_end) {
      *out++ = byte;
    } else {
      io.out_next = out;
      io.WriteByte(byte);
      out = io.out_next;
      out_end = io.out_end;
    }
    dictionary[r] = byte;
    r = (r + 1) & kDictionaryMask;
  };

  while (in_end - in >= kFastRefillBytes) {
    // Bits below the pending ones may already hold the following bytes; they
    // are ORed with the same values.
    bits |= LoadBigEndian64(in) >> count;
    in += (63 - count) >> 3;
    count |= kFastBits;

    LzhTree::Decoded decoded;
    tree_.Decode(bits, decoded);
    bits <<= decoded.length;
    count -= decoded.length;
    tree_.CountDecoded(decoded);
    const unsigned symbol = decoded.symbol;

    if (symbol < kLiteralCount) {
      put(static_cast<std::uint8_t>(symbol));
      continue;
    }

    const PositionPrefix prefix = kPositionPrefixTable[bits >> 56];
    const unsigned code_bits = prefix.length + kPositionLowBits;
    const unsigned position =
        (unsigned{prefix.upper} << kPositionLowBits) | ((bits >> (64 - code_bits)) & kPositionLowMask);
    bits <<= code_bits;
    count -= code_bits;

    // Byte by byte: a source that overlaps the bytes being written repeats them.
    unsigned from = (r - position - 1) & kDictionaryMask;
    const unsigned length = MatchLength(symbol);
    if (out_end - out >= static_cast<std::ptrdiff_t>(length)) {
      for (unsigned k = 0; k < length; ++k) {
        const std::uint8_t byte = dictionary[from];
        from = (from + 1) & kDictionaryMask;
        *out++ = byte;
        dictionary[r] = byte;
        r = (r + 1) & kDictionaryMask;
      }
    } else {
      for (unsigned k = 0; k < length; ++k) {
        put(dictionary[from]);
        from = (from + 1) & kDictionaryMask;
      }
    }
  }

  bits_ = count == 0 ? 0 : bits & (~std::uint64_t{0} << (64 - count));
  bit_count_ = count;
  io.in_next = in;
  io.out_next = out;
  write_position_ = r;
}

// One code and its output, read as a byte-at-a-time reader reads it: used
// where the input block runs out and at the end of the stream.
void LzhDecoder::DecodeOneCarefully(DecoderIo& io) {
  const unsigned symbol = DecodeSymbolCarefully(io);
  tree_.Update(symbol);
  if (symbol < kLiteralCount) {
    Put(io, static_cast<std::uint8_t>(symbol));
  } else {
    const unsigned position = DecodePositionCarefully(io);
    const unsigned from = write_position_ - position - 1;
    for (unsigned k = 0; k < MatchLength(symbol); ++k) Put(io, dictionary_[(from + k) & kDictionaryMask]);
  }
  if (source_dry_ && bits_ == kTrailer) EndStream();
}

unsigned LzhDecoder::DecodeSymbolCarefully(DecoderIo& io) {
  const std::uint16_t* const child = tree_.Children();
  unsigned x = child[kRoot];
  unsigned length = 0;
  unsigned bit = 0;
  do {
    bit = ReadBit(io);
    x = child[x + bit];
    ++length;
    // Only the zeros of a dry source are left: the code under way is not
    // part of the stream.
    if (InputEnded()) EndStream();
  } while (x < kNodeCount);

  // A stream whose last code ends on a byte boundary has the trailer byte
  // 0x80 last. When the root's odd child is a leaf, the trailer's 1 bit alone
  // reads as that leaf's symbol (up to 60 bytes the stream does not hold).
  // With only zeros pending after such a bit, it was the trailer if the
  // source has nothing more: Fill asks it only when no further byte is
  // pending, just as the next read would.
  if (length == 1 && bit == 1 && bits_ == 0) {
    Fill(io);
    if (source_dry_) EndStream();
  }
  return x - kNodeCount;
}

unsigned LzhDecoder::DecodePositionCarefully(DecoderIo& io) {
  unsigned code = ReadEightBits(io);
  const PositionPrefix prefix = kPositionPrefixTable[code];
  for (unsigned k = 2; k < prefix.length; ++k) code = (code << 1) | ReadBit(io);
  return (unsigned{prefix.upper} << kPositionLowBits) | (code & kPositionLowMask);
}

// Takes one byte when fewer than 8 bits are pending; a dry source gives 0.
void LzhDecoder::Fill(DecoderIo& io) {
  if (bit_count_ >= 8) return;
  std::uint8_t byte = 0;
  if (io.in_next != io.in_end) {
    byte = *io.in_next++;
  } else if (!io.ReadByte(byte)) {
    source_dry_ = true;
    byte = 0;
  }
  bits_ |= std::uint64_t{byte} << (56 - bit_count_);
  bit_count_ += 8;
}

unsigned LzhDecoder::ReadBit(DecoderIo& io) {
  Fill(io);
  const auto bit = static_cast<unsigned>(bits_ >> 63);
  bits_ <<= 1;
  --bit_count_;
  return bit;
}

unsigned LzhDecoder::ReadEightBits(DecoderIo& io) {
  Fill(io);
  const auto value = static_cast<unsigned>(bits_ >> 56);
  bits_ <<= 8;
  bit_count_ -= 8;
  return value;
}

void LzhDecoder::Put(DecoderIo& io, std::uint8_t byte) {
  if (io.out_next != io.out_end) {
    *io.out_next++ = byte;
  } else {
    io.WriteByte(byte);
  }
  dictionary_[write_position_] = byte;
  write_position_ = (write_position_ + 1) & kDictionaryMask;
}

void LzhDecoder::EndStream() { throw ECompress(); }

}  // namespace stp::lzh
