#pragma once

// Maya numerals: bar-and-dot, base 20, and the Unicode Mayan Numerals block.
//
//   barDotOf(n 0-19)             -> BarDot {bars 0-3, dots 0-4, shell}   13 = 2 bars, 3 dots
//   base20Digits(n)              -> Base20Digits, of |n|, most significant first
//   writeMayanNumeral(out, n)    -> char*  UTF-8, U+1D2E0 + digit for each base-20 digit
//   mayanNumeral(n)              -> std::string
//   longCountInNumerals(d)       -> std::string  the five places of writeLongCount, each
//                                   as a Mayan numeral, joined by '.'
//
// A number 0 to 19 is written with one bar for each five and one dot for
// each unit left; zero is a shell sign. A larger number is written in base
// 20, most significant digit first. A negative number has '-' before its
// digits: the Maya wrote no sign, so a day before 0.0.0.0.0 is told apart
// as the Long Count writers tell it, by a minus sign before the count.

#include <array>
#include <cstdint>
#include <string>

namespace glyphbox::maya {

// How a number 0 to 19 is written in bars and dots.
struct BarDot {
  int bars = 0;       // 0 to 3, one for each five
  int dots = 0;       // 0 to 4, the units left, written above the bars
  bool shell = false; // zero: the shell sign, with no bar or dot

  friend constexpr bool operator==(const BarDot&, const BarDot&) = default;
};

// Preconditions: n in [0, 19].
[[nodiscard]] constexpr BarDot barDotOf(int n) noexcept { return {n / 5, n % 5, n == 0}; }
static_assert(barDotOf(13) == BarDot{2, 3, false});
static_assert(barDotOf(0) == BarDot{0, 0, true} && barDotOf(19) == BarDot{3, 4, false});

// Base-20 digits of any 64-bit magnitude: 20^14 < 2^63 < 20^15.
inline constexpr int kMaxBase20Digits = 15;

// The digits of a number, most significant first; at least one (0 is {0}).
struct Base20Digits {
  std::array<std::uint8_t, kMaxBase20Digits> digit{};
  int count = 0;

  [[nodiscard]] constexpr const std::uint8_t* begin() const noexcept { return digit.data(); }
  [[nodiscard]] constexpr const std::uint8_t* end() const noexcept { return digit.data() + count; }
  [[nodiscard]] constexpr int size() const noexcept { return count; }
  [[nodiscard]] constexpr int operator[](int i) const noexcept {
    return digit[static_cast<std::size_t>(i)];
  }
};

// The base-20 digits of |n|, for every n of 64 bits (INT64_MIN included).
[[nodiscard]] constexpr Base20Digits base20Digits(std::int64_t n) noexcept {
  // The magnitude in unsigned arithmetic, where -INT64_MIN still fits.
  std::uint64_t rest = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  std::array<std::uint8_t, kMaxBase20Digits> lowFirst{};
  int count = 0;
  do {
    lowFirst[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(rest % 20);
    rest /= 20;
  } while (rest != 0);
  Base20Digits out;
  out.count = count;
  for (int i = 0; i < count; ++i) {
    out.digit[static_cast<std::size_t>(i)] = lowFirst[static_cast<std::size_t>(count - 1 - i)];
  }
  return out;
}
static_assert(base20Digits(8000).size() == 4 && base20Digits(8000)[0] == 1);
static_assert(base20Digits(INT64_MIN).size() == kMaxBase20Digits);

// U+1D2E0 MAYAN NUMERAL ZERO is F0 9D 8B A0 in UTF-8; the digits 1 to 19
// (to U+1D2F3) differ from it in the last byte alone.
inline constexpr std::array<char, 4> kMayanZeroUtf8 = {'\xF0', '\x9D', '\x8B', '\xA0'};
inline constexpr int kMayanNumeralBytes = 4;

// Longest text writeMayanNumeral writes: a sign and fifteen digits.
inline constexpr int kMaxMayanNumeralText = 1 + kMaxBase20Digits * kMayanNumeralBytes;

// Writes n in Mayan numerals (UTF-8, no terminating NUL) at out and returns
// the end. Any n of 64 bits; out must have room for kMaxMayanNumeralText bytes.
constexpr char* writeMayanNumeral(char* out, std::int64_t n) noexcept {
  if (n < 0) {
    *out++ = '-';
  }
  for (const std::uint8_t digit : base20Digits(n)) {
    *out++ = kMayanZeroUtf8[0];
    *out++ = kMayanZeroUtf8[1];
    *out++ = kMayanZeroUtf8[2];
    *out++ = static_cast<char>(kMayanZeroUtf8[3] + digit);
  }
  return out;
}

[[nodiscard]] std::string mayanNumeral(std::int64_t n);

// Longest text writeLongCountInNumerals writes: a sign, a leading place of
// up to fifteen digits, and four one-digit places after their points.
inline constexpr int kMaxLongCountNumeralText = kMaxMayanNumeralText + 4 * (1 + kMayanNumeralBytes);

// Writes longCountInNumerals(d) at out and returns the end; out must have
// room for kMaxLongCountNumeralText bytes. Preconditions: d > INT64_MIN.
char* writeLongCountInNumerals(char* out, std::int64_t d) noexcept;

// The five places of writeLongCount(d), baktun first, each as a Mayan
// numeral (the baktun in as many base-20 digits as it needs), joined by '.',
// with '-' in front for a day before 0.0.0.0.0. Preconditions: d > INT64_MIN.
[[nodiscard]] std::string longCountInNumerals(std::int64_t d);

} // namespace glyphbox::maya
