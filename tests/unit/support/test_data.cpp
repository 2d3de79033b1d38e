#include "support/test_data.h"

#include <algorithm>
#include <iterator>
#include <random>

namespace stp::test {

// std::mt19937's raw numbers are fixed by the standard; its distributions
// are not, so none is used.

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  std::generate(bytes.begin(), bytes.end(), [&random] { return static_cast<char>(random()); });
  return bytes;
}

std::string Text(std::size_t size) {
  static const char* const kWords[] = {"Grüße",  "aus",   "Köln", "die",      "Übersicht", "ändern", "wir",
                                       "morgen", "Datei", "und",  "Programm", "Größe",     "der",    "ein"};
  std::mt19937 random(static_cast<unsigned>(size));
  std::string text;
  while (text.size() < size) {
    text += kWords[random() % std::size(kWords)];
    text += random() % 9 == 0 ? ".\r\n" : " ";
  }
  text.resize(size);
  return text;
}

std::string AddressTable(std::size_t size) {
  std::string bytes;
  for (std::uint32_t address = 0x00401000; bytes.size() < size; address += 4 + address % 7 * 4) {
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(address >> shift);
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace stp::test
