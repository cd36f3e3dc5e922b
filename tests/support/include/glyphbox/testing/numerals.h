#pragma once

// Mayan numerals read back, for checking text written with them against its
// decimal twin.

#include <cstdint>
#include <string>

namespace glyphbox::testing {

// The value of the Mayan numeral at s[i] (U+1D2E0 to U+1D2F3, in UTF-8
// F0 9D 8B A0 to F0 9D 8B B3), or -1 when none starts there.
inline int mayanNumeralAt(const std::string& s, std::size_t i) {
  if (i + 4 > s.size() || s.compare(i, 3, "\xF0\x9D\x8B") != 0)
    return -1;
  const int v = static_cast<unsigned char>(s[i + 3]) - 0xA0;
  return v >= 0 && v < 20 ? v : -1;
}

// The text with every run of Mayan numerals read as one number in base 20,
// most significant digit first, and written in decimal.
inline std::string decimalOfMayanNumerals(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    if (mayanNumeralAt(s, i) < 0) {
      out += s[i++];
      continue;
    }
    std::int64_t value = 0;
    for (int v; (v = mayanNumeralAt(s, i)) >= 0; i += 4)
      value = value * 20 + v;
    out += std::to_string(value);
  }
  return out;
}

} // namespace glyphbox::testing
