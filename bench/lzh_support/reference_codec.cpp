#include "lzh_support/reference_codec.h"

#include <algorithm>
#include <array>

namespace stp::reference {
namespace {

constexpr int kRingSize = 4096;
constexpr int kRingMask = kRingSize - 1;
constexpr int kMaxLength = 60;
constexpr int kMinLength = 3;
constexpr int kSymbols = 314;
constexpr int kNodes = 627;
constexpr int kTop = kNodes - 1;
constexpr int kStart = 4036;

// The two position tables, from their ranges.
struct PositionTables {
  std::array<std::uint8_t, 256> upper;
  std::array<std::uint8_t, 256> length;
  PositionTables() {
    for (int i = 0; i < 256; ++i) {
      if (i < 32) {
        upper[i] = 0, length[i] = 3;
      } else if (i < 80) {
        upper[i] = 1 + (i - 32) / 16, length[i] = 4;
      } else if (i < 144) {
        upper[i] = 4 + (i - 80) / 8, length[i] = 5;
      } else if (i < 192) {
        upper[i] = 12 + (i - 144) / 4, length[i] = 6;
      } else if (i < 240) {
        upper[i] = 24 + (i - 192) / 2, length[i] = 7;
      } else {
        upper[i] = 48 + (i - 240), length[i] = 8;
      }
    }
  }
};
const PositionTables kTables;

struct Tree {
  std::array<std::uint16_t, kNodes + 1> frequency{};
  std::array<std::uint16_t, kNodes> child{};
  std::array<std::uint16_t, kNodes + kSymbols> parent{};

  Tree() {
    for (int s = 0; s < kSymbols; ++s) {
      frequency[s] = 1;
      child[s] = s + kNodes;
      parent[s + kNodes] = s;
    }
    int i = 0;
    for (int j = kSymbols; j < kNodes; ++j) {
      frequency[j] = frequency[i] + frequency[i + 1];
      child[j] = i;
      parent[i] = parent[i + 1] = j;
      i += 2;
    }
    frequency[kNodes] = 0xFFFF;
    parent[kTop] = 0;
  }

  void Rebuild() {
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
      if (child[i] >= kNodes) {
        frequency[j] = (frequency[i] + 1) / 2;
        child[j] = child[i];
        j++;
      }
    }
    int i = 0;
    for (j = kSymbols; j < kNodes; ++j) {
      const std::uint16_t f = frequency[i] + frequency[i + 1];
      frequency[j] = f;
      int k = j - 1;
      while (f < frequency[k]) k--;
      k++;
      for (int m = j; m > k; --m) {
        frequency[m] = frequency[m - 1];
        child[m] = child[m - 1];
      }
      frequency[k] = f;
      child[k] = i;
      i += 2;
    }
    for (i = 0; i < kNodes; ++i) {
      const int k = child[i];
      if (k >= kNodes) {
        parent[k] = i;
      } else {
        parent[k] = parent[k + 1] = i;
      }
    }
  }

  void Update(int s) {
    if (frequency[kTop] == 0x8000) Rebuild();
    int x = parent[s + kNodes];
    while (true) {
      const int k = ++frequency[x];
      if (frequency[x + 1] < k) {
        int l = x + 1;
        while (frequency[l + 1] < k) l++;
        frequency[x] = frequency[l];
        frequency[l] = k;
        const int i = child[x];
        parent[i] = l;
        if (i < kNodes) parent[i + 1] = l;
        const int j = child[l];
        child[l] = i;
        parent[j] = x;
        if (j < kNodes) parent[j + 1] = x;
        child[x] = j;
        x = l;
      }
      x = parent[x];
      if (x == 0) break;
    }
  }
};

struct Ring {
  std::array<std::uint8_t, kRingSize> bytes;
  int r = kStart;
  Ring() {
    std::fill(bytes.begin(), bytes.begin() + kStart, 0x20);
    std::fill(bytes.begin() + kStart, bytes.end(), 0);
  }
  void Put(std::vector<std::uint8_t>& out, std::uint8_t b) {
    out.push_back(b);
    bytes[r] = b;
    r = (r + 1) & kRingMask;
  }
  void Copy(std::vector<std::uint8_t>& out, int p, int length) {
    const int start = (r - p - 1) & kRingMask;
    for (int k = 0; k < length; ++k) Put(out, bytes[(start + k) & kRingMask]);
  }
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}
  int Bit() {
    Fill();
    const int b = reg >> 15;
    reg = static_cast<std::uint16_t>(reg << 1);
    count--;
    consumed++;
    return b;
  }
  int Eight() {
    Fill();
    const int v = reg >> 8;
    reg = static_cast<std::uint16_t>(reg << 8);
    count -= 8;
    consumed += 8;
    return v;
  }
  std::uint16_t reg = 0;
  int count = 0;
  bool dry = false;
  std::size_t consumed = 0;
  std::size_t requests = 0;

 private:
  void Fill() {
    if (count >= 8) return;
    requests++;
    int b = 0;
    if (next_ < in_.size()) {
      b = in_[next_++];
    } else {
      dry = true;
    }
    reg = static_cast<std::uint16_t>(reg | (b << (8 - count)));
    count += 8;
  }
  std::span<const std::uint8_t> in_;
  std::size_t next_ = 0;
};

class Writer {
 public:
  void Put(std::uint32_t bits, int count) {
    for (int k = count - 1; k >= 0; --k) {
      current_ = static_cast<std::uint8_t>(current_ << 1 | ((bits >> k) & 1));
      if (++filled_ == 8) {
        bytes_.push_back(current_);
        current_ = 0;
        filled_ = 0;
      }
    }
  }
  std::vector<std::uint8_t> Finish() {
    Put(1, 1);
    while (filled_ != 0) Put(0, 1);
    return bytes_;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint8_t current_ = 0;
  int filled_ = 0;
};

}  // namespace

Decoded Decode(std::span<const std::uint8_t> stream) {
  Decoded result;
  Tree tree;
  Ring ring;
  Reader in(stream);
  const std::size_t last_byte_start = stream.empty() ? SIZE_MAX : 8 * (stream.size() - 1);
  while (true) {
    const std::size_t code_start = in.consumed;
    int x = tree.child[kTop];
    int code_length = 0;
    bool ended = false;
    while (x < kNodes) {
      x = tree.child[x + in.Bit()];
      code_length++;
      if (in.dry && in.reg == 0) {
        in.reg = 0x8000;
        ended = true;
        break;
      }
    }
    if (ended) break;
    const int s = x - kNodes;
    tree.Update(s);
    const std::size_t before = result.bytes.size();
    if (s < 256) {
      ring.Put(result.bytes, static_cast<std::uint8_t>(s));
    } else {
      int i = in.Eight();
      const int upper = kTables.upper[i];
      const int n = kTables.length[i];
      for (int k = 0; k < n - 2; ++k) i = (i * 2 + in.Bit()) & 0xFFFF;
      ring.Copy(result.bytes, upper * 64 + (i & 63), s - 253);
    }
    const bool trailer = code_length == 1 && code_start == last_byte_start && stream.back() == 0x80;
    result.trailer_bytes = trailer ? result.bytes.size() - before : 0;
    if (in.dry && in.reg == 0x8000) break;
  }
  result.requests = in.requests;
  return result;
}

std::vector<std::uint8_t> Encode(std::span<const Token> tokens) {
  if (tokens.empty()) return {};
  Tree tree;
  Writer out;
  const auto put_symbol = [&](int s) {
    std::uint32_t code = 0;
    int length = 0;
    for (int x = tree.parent[s + kNodes]; x != kTop; x = tree.parent[x]) {
      code |= static_cast<std::uint32_t>(x & 1) << length;
      length++;
    }
    out.Put(code, length);
    tree.Update(s);
  };
  for (const Token& token : tokens) {
    if (token.length == 0) {
      put_symbol(token.value);
      continue;
    }
    put_symbol(token.length + 253);
    const int p = token.value - 1;
    const int upper = p >> 6;
    const int first = static_cast<int>(std::find(kTables.upper.begin(), kTables.upper.end(), upper) -
                                       kTables.upper.begin());
    const int n = kTables.length[first];
    out.Put(static_cast<std::uint32_t>(first >> (8 - n)), n);
    out.Put(static_cast<std::uint32_t>(p & 63), 6);
  }
  return out.Finish();
}

std::vector<std::uint8_t> Expand(std::span<const Token> tokens) {
  std::vector<std::uint8_t> out;
  Ring ring;
  for (const Token& token : tokens) {
    if (token.length == 0) {
      ring.Put(out, static_cast<std::uint8_t>(token.value));
    } else {
      ring.Copy(out, token.value - 1, token.length);
    }
  }
  return out;
}

std::vector<Token> ParseGreedy(std::span<const std::uint8_t> data) {
  // The ring as a stream starts it, oldest byte first, then the data.
  std::vector<std::uint8_t> text(kRingSize - kStart, 0);
  text.insert(text.end(), kStart, 0x20);
  text.insert(text.end(), data.begin(), data.end());
  const int end = static_cast<int>(text.size());

  constexpr int kHashSize = 1 << 16;
  std::vector<int> head(kHashSize, -1);
  std::vector<int> previous(text.size(), -1);
  const auto hash = [&](int p) { return (text[p] << 8 ^ text[p + 1] << 4 ^ text[p + 2]) & (kHashSize - 1); };
  const auto insert = [&](int p) {
    if (end - p < kMinLength) return;
    previous[p] = head[hash(p)];
    head[hash(p)] = p;
  };
  for (int p = 0; p < kRingSize; ++p) insert(p);

  std::vector<Token> tokens;
  int p = kRingSize;
  while (p < end) {
    const int limit = std::min(kMaxLength, end - p);
    int best_length = 0;
    int best_distance = 0;
    if (limit >= kMinLength) {
      for (int c = head[hash(p)]; c >= 0 && p - c <= kRingSize; c = previous[c]) {
        int length = 0;
        while (length < limit && text[c + length] == text[p + length]) length++;
        if (length > best_length) {
          best_length = length;
          best_distance = p - c;
          if (length == limit) break;
        }
      }
    }
    if (best_length >= kMinLength) {
      tokens.push_back(Copy(best_length, best_distance));
      for (int k = 0; k < best_length; ++k) insert(p + k);
      p += best_length;
    } else {
      tokens.push_back(Literal(text[p]));
      insert(p);
      p++;
    }
  }
  return tokens;
}

}  // namespace stp::reference
