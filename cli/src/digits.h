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
// log10(2) ~ 1233 / 4096, corrected by one comparison. (u | 1 has the same
// width for every u but 0, and spares the processor a test for zero.)
constexpr int digitCount(std::uint32_t u) noexcept {
  const int guess = (std::bit_width(u | 1) * 1233) >> 12;
  return guess + (u >= kPowersOfTen[guess] ? 1 : 0);
}
static_assert(digitCount(0) == 0 && digitCount(9) == 1 && digitCount(10) == 2 &&
              digitCount(99999999) == 8 && digitCount(100000000) == 9 &&
              digitCount(4294967295u) == 10);

// The eight decimal digits of u < 10^8, the first digit in the lowest byte
// (as values 0 to 9, or as ASCII bytes), computed in lanes of one 64-bit
// word: u splits into two halves below 10^4 (32-bit lanes), each half into
// two below 100 (16-bit lanes), each of those into two digits (bytes). A
// lane's quotient by 100 is (x * 10486) >> 20 and by 10 is (x * 103) >> 10,
// exact in these ranges; no lane's product reaches the next lane.
[[gnu::always_inline]] constexpr std::uint64_t eightDigitValues(std::uint32_t u) noexcept {
  const std::uint64_t halves = u / 10000 | std::uint64_t{u % 10000} << 32;
  const std::uint64_t hundreds = (halves * 10486) >> 20 & 0x0000007F0000007FULL;
  // Each 32-bit lane x becomes x / 100 in its low 16 bits and x % 100 above.
  const std::uint64_t pairs = (halves << 16) + hundreds * (1 - (std::uint64_t{100} << 16));
  const std::uint64_t tens = (pairs * 103) >> 10 & 0x000F000F000F000FULL;
  // Each 16-bit lane y becomes y / 10 in its low byte and y % 10 above.
  return (pairs << 8) + tens * (1 - (std::uint64_t{10} << 8));
}
constexpr std::uint64_t eightDigits(std::uint32_t u) noexcept {
  return eightDigitValues(u) + 0x3030303030303030ULL;
}
static_assert(eightDigits(12345678) == 0x3837363534333231ULL);
static_assert(eightDigits(0) == 0x3030303030303030ULL &&
              eightDigits(99999999) == 0x3939393939393939ULL);

// The same for u < 10^4 in one 32-bit word: four digits.
[[gnu::always_inline]] constexpr std::uint32_t fourDigitValues(std::uint32_t u) noexcept {
  const std::uint32_t hundreds = (u * 10486) >> 20;
  const std::uint32_t pairs = (u << 16) + hundreds * (1 - (100u << 16));
  const std::uint32_t tens = (pairs * 103) >> 10 & 0x000F000Fu;
  return (pairs << 8) + tens * (1 - (10u << 8));
}
constexpr std::uint32_t fourDigits(std::uint32_t u) noexcept {
  return fourDigitValues(u) + 0x30303030u;
}
static_assert(fourDigits(1234) == 0x34333231u && fourDigits(9999) == 0x39393939u);

// Stores the last n of the `width` digit bytes held in `bytes` (the first
// digit in the lowest byte) at `at`, storing `width` bytes in all.
template <typename Word> inline void storeLast(char* at, Word bytes, int n) noexcept {
  constexpr int width = sizeof(Word);
  if constexpr (std::endian::native == std::endian::little) {
    bytes >>= (width - n) * 8;
    std::memcpy(at, &bytes, width);
  } else {
    for (int i = 0; i < n; ++i) {
      at[i] = static_cast<char>(bytes >> ((width - n + i) * 8));
    }
  }
}

// Stores the digit values in `values` (the first digit in the lowest byte,
// on a little-endian machine) as ASCII, without their leading zeros: those
// are the low bytes holding 0, found by counting trailing zero bits. The
// last digit always counts, even for 0. Stores sizeof(Word) bytes.
template <typename Word>
[[gnu::always_inline]] inline char* putWithoutLeadingZeros(char* at, Word values) noexcept {
  constexpr int kWidth = sizeof(Word);
  constexpr Word kLastDigit = Word{1} << (8 * (kWidth - 1));
  constexpr auto kZeros = static_cast<Word>(0x3030303030303030ULL);
  const int shift = std::countr_zero(static_cast<Word>(values | kLastDigit)) & ~7;
  const Word bytes = (values + kZeros) >> shift;
  std::memcpy(at, &bytes, kWidth);
  return at + kWidth - shift / 8;
}

// Decimal digits of u, written in place; `width` pads with zeros to at
// least that many digits. Up to eight digits are computed in one register
// and stored at once, shifted past the leading zeros, so the number's
// length decides only whether four or eight digits are computed.
[[gnu::always_inline]] inline char* putUnsigned32(char* at, std::uint32_t u,
                                                  int width = 1) noexcept {
  if constexpr (std::endian::native == std::endian::little) {
    if (width <= 1 && u < 10000) {
      return putWithoutLeadingZeros(at, fourDigitValues(u));
    }
    if (width <= 1 && u < 100000000) {
      return putWithoutLeadingZeros(at, eightDigitValues(u));
    }
  }
  int n = digitCount(u);
  n = n < width ? width : n;
  if (n <= 4) { // then u < 10^4
    storeLast(at, fourDigits(u), n);
    return at + n;
  }
  if (n <= 8) { // then u < 10^8
    storeLast(at, eightDigits(u), n);
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
