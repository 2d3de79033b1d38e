#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Data for codec and medium tests, the same on every platform.
namespace stp::test {

using Bytes = std::vector<std::uint8_t>;

// Bytes that do not compress.
std::string RandomBytes(std::size_t count, unsigned seed);
// German words in Windows-1252, in CR LF lines.
std::string Text(std::size_t size);
// Program-like binary: 32-bit little-endian addresses at uneven steps.
std::string AddressTable(std::size_t size);

inline Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace stp::test
