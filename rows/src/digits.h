#pragma once

// Whole numbers written as decimal digits straight into an output buffer,
// for the converter's rows. The writer may store up to eight bytes from
// where it starts, past the digits it returns the end of: the output buffer
// always has room past a row, and what follows overwrites them.

#include <bit>
#include <cstdint>
#include <cstring>

namespace glyphbox::rows::digits {

constexpr char kDigitPairs[] = "0001020304050607080910111213141516171819"
                               "2021222324252627282930313233343536373839"
                               "4041424344454647484950515253545556575859"
                               "6061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// The eight decimal digits of u < 10^8 as values 0 to 9, the first digit in
// the lowest byte, computed in lanes of one 64-bit word: u splits into two
// halves below 10^4 (32-bit lanes), each half into two below 100 (16-bit
// lanes), each of those into two digits (bytes). A lane's quotient by 100
// is (x * 10486) >> 20 and by 10 is (x * 103) >> 10, exact in these
// ranges; no lane's product reaches the next lane.
[[gnu::always_inline]] constexpr std::uint64_t eightDigitValues(std::uint32_t u) noexcept {
  const std::uint64_t halves = u / 10000 | std::uint64_t{u % 10000} << 32;
  const std::uint64_t hundreds = (halves * 10486) >> 20 & 0x0000007F0000007FULL;
  // Each 32-bit lane x becomes x / 100 in its low 16 bits and x % 100 above.
  const std::uint64_t pairs = (halves << 16) + hundreds * (1 - (std::uint64_t{100} << 16));
  const std::uint64_t tens = (pairs * 103) >> 10 & 0x000F000F000F000FULL;
  // Each 16-bit lane y becomes y / 10 in its low byte and y % 10 above.
  return (pairs << 8) + tens * (1 - (std::uint64_t{10} << 8));
}
static_assert(eightDigitValues(12345678) == 0x0807060504030201ULL);

inline constexpr std::uint64_t kAsciiZeros = 0x3030303030303030ULL;
inline constexpr std::uint32_t kEightDigits = 100'000'000;

// The eight digits of u < 10^8, leading zeros and all. Stores eight bytes.
[[gnu::always_inline]] inline char* putEightDigits(char* at, std::uint32_t u) noexcept {
  const std::uint64_t bytes = eightDigitValues(u) + kAsciiZeros;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(at, &bytes, 8);
  } else {
    for (int i = 0; i < 8; ++i) {
      at[i] = static_cast<char>(bytes >> (8 * i));
    }
  }
  return at + 8;
}

// The digits of u < 10^8 without its leading zeros: those are the low bytes
// holding 0, found by counting trailing zero bits. The last digit always
// counts, even for 0. Stores eight bytes.
[[gnu::always_inline]] inline char* putShortNumber(char* at, std::uint32_t u) noexcept {
  const std::uint64_t values = eightDigitValues(u);
  if constexpr (std::endian::native == std::endian::little) {
    const int shift = std::countr_zero(values | std::uint64_t{1} << 56) & ~7;
    const std::uint64_t bytes = (values + kAsciiZeros) >> shift;
    std::memcpy(at, &bytes, 8);
    return at + 8 - shift / 8;
  } else {
    char digits[8];
    putEightDigits(digits, u);
    int first = 0;
    while (first < 7 && digits[first] == '0') {
      ++first;
    }
    std::memcpy(at, digits + first, 8 - static_cast<std::size_t>(first));
    return at + 8 - first;
  }
}

// Decimal digits of a whole number, with a minus sign when negative: the
// highest group of up to eight digits without leading zeros, then every
// other group of eight whole.
[[gnu::always_inline]] inline char* putInt(char* at, std::int64_t v) noexcept {
  if (v < 0) {
    *at++ = '-';
  }
  std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  if (u < kEightDigits) {
    return putShortNumber(at, static_cast<std::uint32_t>(u));
  }
  const auto low = static_cast<std::uint32_t>(u % kEightDigits);
  u /= kEightDigits;
  if (u < kEightDigits) {
    at = putShortNumber(at, static_cast<std::uint32_t>(u));
  } else { // at most 20 digits: four, then eight, then eight
    at = putShortNumber(at, static_cast<std::uint32_t>(u / kEightDigits));
    at = putEightDigits(at, static_cast<std::uint32_t>(u % kEightDigits));
  }
  return putEightDigits(at, low);
}

} // namespace glyphbox::rows::digits
