#include "lzh_support/sample_data.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace stp::sample {
namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, bound).
  std::uint32_t Below(std::uint32_t bound) {
    return static_cast<std::uint32_t>((Next() >> 32) * bound >> 32);
  }
  // Roughly log-uniform in [low, high].
  std::size_t Spread(std::size_t low, std::size_t high) {
    const double unit = static_cast<double>(Next() >> 11) / 9007199254740992.0;
    const double value = static_cast<double>(low) * std::pow(static_cast<double>(high) / low, unit);
    return std::clamp(static_cast<std::size_t>(value), low, high);
  }

 private:
  std::uint64_t state_;
};

class Builder {
 public:
  Builder(std::size_t size, std::uint64_t seed) : size_(size), random_(seed) { bytes_.reserve(size + 64); }
  bool Full() const { return bytes_.size() >= size_; }
  Random& random() { return random_; }
  void Byte(std::uint8_t b) { bytes_.push_back(b); }
  void Text(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  void Word32(std::uint32_t value) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  std::vector<std::uint8_t> Take() {
    bytes_.resize(size_);
    return std::move(bytes_);
  }
  std::size_t size() const { return bytes_.size(); }

 private:
  std::size_t size_;
  Random random_;
  std::vector<std::uint8_t> bytes_;
};

// Words made of syllables, drawn with Zipf-like frequencies.
class Vocabulary {
 public:
  explicit Vocabulary(Random& random) {
    // Windows-1252 umlauts as octal escapes: \374 is u, \366 o, \344 a with
    // umlaut, \337 sharp s.
    static const std::array<const char*, 32> kSyllables = {
        "ein", "der", "die", "das", "und", "st", "ung",     "en",     "er",         "sch",  "lich",
        "ver", "be",  "ge",  "in",  "an",  "da", "ten",     "ma",     "al",         "te",   "re",
        "ri",  "on",  "na",  "ti",  "o",   "a",  "\374ber", "f\374r", "gr\366\337", "k\344"};
    for (int i = 0; i < 1500; ++i) {
      std::string word;
      const unsigned syllables = 1 + random.Below(4);
      for (unsigned s = 0; s < syllables; ++s) word += kSyllables[random.Below(kSyllables.size())];
      words_.push_back(word);
      total_ += 1.0 / (i + 1);
      cumulative_.push_back(total_);
    }
  }
  const std::string& Pick(Random& random) const {
    const double target = static_cast<double>(random.Next() >> 11) / 9007199254740992.0 * total_;
    const auto it = std::lower_bound(cumulative_.begin(), cumulative_.end(), target);
    return words_[std::min<std::size_t>(it - cumulative_.begin(), words_.size() - 1)];
  }

 private:
  std::vector<std::string> words_;
  std::vector<double> cumulative_;
  double total_ = 0;
};

std::vector<std::uint8_t> MakeText(std::size_t size, std::uint64_t seed) {
  Builder out(size, seed);
  Random& random = out.random();
  const Vocabulary vocabulary(random);
  while (!out.Full()) {
    const unsigned sentences = 1 + random.Below(6);
    for (unsigned s = 0; s < sentences; ++s) {
      const unsigned words = 4 + random.Below(14);
      for (unsigned w = 0; w < words; ++w) {
        std::string word = vocabulary.Pick(random);
        if (w == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 'a' + 'A');
        out.Text(word);
        out.Text(w + 1 == words ? (random.Below(5) == 0 ? "? " : ". ") : (random.Below(9) == 0 ? ", " : " "));
      }
    }
    out.Text("\r\n");
    if (random.Below(4) == 0) out.Text("\r\n");
  }
  return out.Take();
}

void CodeSection(Builder& out, std::size_t length) {
  // Instruction-like templates; 0xAA marks an immediate byte, 0xBB a call
  // target.
  static const std::vector<std::vector<std::uint8_t>> kTemplates = {
      {0x55, 0x8B, 0xEC}, {0x83, 0xEC, 0xAA},
      {0x8B, 0x45, 0xAA}, {0x89, 0x45, 0xAA},
      {0xE8, 0xBB},       {0x5D, 0xC3},
      {0x6A, 0xAA},       {0x50},
      {0x8B, 0x4D, 0xAA}, {0x33, 0xC0},
      {0x85, 0xC0},       {0x74, 0xAA},
      {0x75, 0xAA},       {0xFF, 0x15, 0xBB},
      {0x8D, 0x45, 0xAA}, {0x53, 0x56, 0x57},
      {0x5F, 0x5E, 0x5B}, {0xC7, 0x45, 0xAA, 0x00, 0x00, 0x00, 0x00},
      {0x83, 0xC4, 0xAA}, {0x0F, 0xB6, 0x45, 0xAA},
  };
  Random& random = out.random();
  const std::size_t end = out.size() + length;
  while (out.size() < end) {
    // Skewed choice: early templates are the common ones.
    const auto& t = kTemplates[std::min(random.Below(kTemplates.size()), random.Below(kTemplates.size()))];
    for (const std::uint8_t b : t) {
      if (b == 0xAA) {
        out.Byte(static_cast<std::uint8_t>(4 * random.Below(16)));
      } else if (b == 0xBB) {
        out.Word32(0x00401000u + 16 * random.Below(4096));
      } else {
        out.Byte(b);
      }
    }
  }
}

std::vector<std::uint8_t> MakeBinary(std::size_t size, std::uint64_t seed) {
  Builder out(size, seed);
  Random& random = out.random();
  const Vocabulary vocabulary(random);
  while (!out.Full()) {
    switch (random.Below(5)) {
      case 0:
      case 1: CodeSection(out, out.random().Spread(256, 16384)); break;
      case 2: {
        std::uint32_t address = 0x00400000u + 4096 * random.Below(1024);
        for (std::size_t n = random.Spread(8, 512); n > 0; --n) {
          out.Word32(address);
          address += 4 * (1 + random.Below(8));
        }
        break;
      }
      case 3:
        for (std::size_t n = random.Spread(4, 64); n > 0; --n) {
          const std::string& word = vocabulary.Pick(random);
          const bool wide = random.Below(2) == 0;
          for (const char c : word) {
            out.Byte(static_cast<std::uint8_t>(c));
            if (wide) out.Byte(0);
          }
          out.Byte(0);
          if (wide) out.Byte(0);
        }
        break;
      case 4:
        while (out.size() % 512 != 0) out.Byte(0);
        break;
    }
  }
  return out.Take();
}

std::vector<std::uint8_t> MakeRuns(std::size_t size, std::uint64_t seed) {
  Builder out(size, seed);
  Random& random = out.random();
  while (!out.Full()) {
    const std::size_t length = random.Spread(1, 8192);
    if (random.Below(3) == 0) {
      std::array<std::uint8_t, 8> pattern;
      const unsigned period = 2 + random.Below(7);
      for (unsigned i = 0; i < period; ++i) pattern[i] = static_cast<std::uint8_t>(random.Next());
      for (std::size_t i = 0; i < length; ++i) out.Byte(pattern[i % period]);
    } else {
      const auto value = static_cast<std::uint8_t>(random.Below(4) == 0 ? 0 : random.Next());
      for (std::size_t i = 0; i < length; ++i) out.Byte(value);
    }
  }
  return out.Take();
}

std::vector<std::uint8_t> MakeRandom(std::size_t size, std::uint64_t seed) {
  Builder out(size, seed);
  while (!out.Full()) out.Word32(static_cast<std::uint32_t>(out.random().Next()));
  return out.Take();
}

}  // namespace

std::vector<std::uint8_t> Generate(Kind kind, std::size_t size, std::uint64_t seed) {
  switch (kind) {
    case Kind::kText: return MakeText(size, seed);
    case Kind::kBinary: return MakeBinary(size, seed);
    case Kind::kRuns: return MakeRuns(size, seed);
    case Kind::kRandom: return MakeRandom(size, seed);
  }
  return {};
}

std::vector<File> MixedCorpus(std::size_t total, std::uint64_t seed) {
  struct Share {
    Kind kind;
    unsigned percent;
  };
  static constexpr std::array<Share, 4> kShares = {
      {{Kind::kText, 35}, {Kind::kBinary, 35}, {Kind::kRuns, 10}, {Kind::kRandom, 20}}};
  Random random(seed);
  std::vector<File> files;
  for (const Share& share : kShares) {
    const std::size_t quota = total / 100 * share.percent;
    for (std::size_t made = 0; made < quota;) {
      const std::size_t size = std::min(random.Spread(1024, 1024 * 1024), quota - made + 1024);
      files.push_back({share.kind, Generate(share.kind, size, random.Next())});
      made += size;
    }
  }
  return files;
}

}  // namespace stp::sample
