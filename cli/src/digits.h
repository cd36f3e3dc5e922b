#pragma once

// Whole numbers written as decimal digits straight into an output buffer,
// for the converter's hot paths. A writer may store up to eight bytes from
// where it starts, past the digits it returns the end of: the output buffer
// always has room past a line, and what follows overwrites them.

#include <bit>
#include <cstdint>
#include <cstring>

namespace glyphbox::cli::digits {

constexpr char kDigitPairs[] = "0001020304050607080910111213141516171819"
                               "2021222324252627282930313233343536373839"
                               "4041424344454647484950515253545556575859"
                               "6061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

constexpr std::uint32_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                          100000, 1000000, 10000000, 100000000, 1000000000};

// The number of decimal digits of u, 0 for 0: log2 by the bit width, times
// log10(2) ~ 1233 / 4096, corrected by one comparison.
constexpr int digitCount(std::uint32_t u) noexcept {
  const int guess = (std::bit_width(u) * 1233) >> 12;
  return guess + (u >= kPowersOfTen[guess] ? 1 : 0);
}
static_assert(digitCount(0) == 0 && digitCount(9) == 1 && digitCount(10) == 2 &&
              digitCount(99999999) == 8 && digitCount(100000000) == 9 &&
              digitCount(4294967295u) == 10);

inline std::uint64_t pairBits(std::uint32_t twoDigits) noexcept {
  std::uint16_t pair;
  std::memcpy(&pair, kDigitPairs + twoDigits * 2, 2);
  return pair;
}

// Stores the last n of the `size` digit bytes held in `bytes` (the first
// digit in the lowest byte), as `size` bytes at `at`.
template <int size> inline void storeLast(char* at, std::uint64_t bytes, int n) noexcept {
  if constexpr (std::endian::native == std::endian::little) {
    bytes >>= (size - n) * 8;
    if constexpr (size == 4) {
      const auto four = static_cast<std::uint32_t>(bytes);
      std::memcpy(at, &four, 4);
    } else {
      std::memcpy(at, &bytes, 8);
    }
  } else {
    for (int i = 0; i < n; ++i) {
      at[i] = static_cast<char>(bytes >> ((size - n + i) * 8));
    }
  }
}

// Decimal digits of u, written in place; `width` pads with zeros to at
// least that many digits. Up to eight digits are assembled in a register
// from pairs and stored at once, shifted past the leading zeros, so the
// number's length decides no branch but the one between four and eight.
[[gnu::always_inline]] inline char* putUnsigned32(char* at, std::uint32_t u,
                                                  int width = 1) noexcept {
  int n = digitCount(u);
  n = n < width ? width : n;
  if (n <= 4) { // then u < 10^4
    const std::uint32_t a = u / 100;
    storeLast<4>(at, pairBits(a) | pairBits(u - a * 100) << 16, n);
    return at + n;
  }
  if (n <= 8) { // then u < 10^8
    const std::uint32_t high = u / 10000;
    const std::uint32_t low = u - high * 10000;
    const std::uint32_t a = high / 100;
    const std::uint32_t c = low / 100;
    storeLast<8>(at,
                 pairBits(a) | pairBits(high - a * 100) << 16 | pairBits(c) << 32 |
                     pairBits(low - c * 100) << 48,
                 n);
    return at + n;
  }
  char* d = at + n;
  while (d - at >= 2) {
    const std::uint32_t q = u / 100;
    d -= 2;
    std::memcpy(d, kDigitPairs + (u - q * 100) * 2, 2);
    u = q;
  }
  if (d > at) {
    *--d = static_cast<char>('0' + u % 10);
  }
  return at + n;
}

// Decimal digits of a whole number, with a minus sign when negative.
[[gnu::always_inline]] inline char* putInt(char* at, std::int64_t v) noexcept {
  if (v < 0) {
    *at++ = '-';
  }
  const std::uint64_t u = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  if (u <= 0xFFFFFFFFu) {
    return putUnsigned32(at, static_cast<std::uint32_t>(u));
  }
  constexpr std::uint64_t kNineDigits = 1000000000;
  if (u / kNineDigits <= 0xFFFFFFFFu) {
    at = putUnsigned32(at, static_cast<std::uint32_t>(u / kNineDigits));
  } else {
    at = putUnsigned32(at, static_cast<std::uint32_t>(u / kNineDigits / kNineDigits));
    at = putUnsigned32(at, static_cast<std::uint32_t>(u / kNineDigits % kNineDigits), 9);
  }
  return putUnsigned32(at, static_cast<std::uint32_t>(u % kNineDigits), 9);
}

} // namespace glyphbox::cli::digits
