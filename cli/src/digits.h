#pragma once

// Whole numbers written as decimal digits straight into an output buffer,
// for the converter's hot paths.

#include <cstdint>
#include <cstring>

namespace glyphbox::cli::digits {

constexpr char kDigitPairs[] = "0001020304050607080910111213141516171819"
                               "2021222324252627282930313233343536373839"
                               "4041424344454647484950515253545556575859"
                               "6061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// Decimal digits of u, two at a time from a table, written in place; `width`
// pads with zeros to at least that many digits.
inline char* putUnsigned32(char* at, std::uint32_t u, int width = 1) noexcept {
  int n = u < 10           ? 1
          : u < 100        ? 2
          : u < 1000       ? 3
          : u < 10000      ? 4
          : u < 100000     ? 5
          : u < 1000000    ? 6
          : u < 10000000   ? 7
          : u < 100000000  ? 8
          : u < 1000000000 ? 9
                           : 10;
  n = n < width ? width : n;
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
inline char* putInt(char* at, std::int64_t v) noexcept {
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
