#include <glyphbox/runtime/conversions.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace glyphbox::runtime {
namespace {

constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Length of the run of ASCII digits at the start of text.
std::size_t digitRun(std::string_view text) noexcept {
  std::size_t n = 0;
  while (n < text.size() && isDigit(text[n])) {
    ++n;
  }
  return n;
}

} // namespace

double valueOfText(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t start = pos;
  const std::size_t intDigits = digitRun(text.substr(pos));
  pos += intDigits;
  std::size_t fracDigits = 0;
  if (pos < text.size() && text[pos] == '.') {
    fracDigits = digitRun(text.substr(pos + 1));
    if (intDigits + fracDigits > 0) {
      pos += 1 + fracDigits;
    }
  }
  if (intDigits + fracDigits == 0) {
    return 0.0;
  }

  // Whole numbers of up to 15 digits, by far the common case (years, days),
  // are exact in a double and need no general parser.
  if (fracDigits == 0 && intDigits <= 15 &&
      (pos == text.size() ||
       (text[pos] != 'e' && text[pos] != 'E' && text[pos] != 'd' && text[pos] != 'D'))) {
    double whole = 0.0;
    for (std::size_t i = start; i < start + intDigits; ++i) {
      whole = whole * 10.0 + (text[i] - '0');
    }
    return negative ? -whole : whole;
  }

  std::string number(text.substr(start, pos - start));
  // An exponent counts only when digits follow it; "D" is the old double-precision marker.
  long long exponent = 0;
  if (pos < text.size() &&
      (text[pos] == 'e' || text[pos] == 'E' || text[pos] == 'd' || text[pos] == 'D')) {
    std::size_t p = pos + 1;
    bool negativeExponent = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
      negativeExponent = text[p] == '-';
      ++p;
    }
    const std::size_t expDigits = digitRun(text.substr(p));
    if (expDigits > 0) {
      constexpr long long kSaturated = 1'000'000'000;
      for (std::size_t i = p; i < p + expDigits && exponent < kSaturated; ++i) {
        exponent = exponent * 10 + (text[i] - '0');
      }
      exponent = negativeExponent ? -exponent : exponent;
      number += 'e';
      number += std::to_string(exponent);
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: tell which from the decimal exponent
    // of the first significant digit.
    const std::string_view digits =
        text.substr(start, intDigits + (fracDigits ? 1 + fracDigits : 0));
    const std::size_t firstSignificant = digits.find_first_of("123456789");
    const std::size_t point = intDigits;
    long long magnitude = exponent;
    if (firstSignificant != std::string_view::npos) {
      magnitude += firstSignificant < point ? static_cast<long long>(point - firstSignificant - 1)
                                            : -static_cast<long long>(firstSignificant - point);
    }
    if (firstSignificant != std::string_view::npos && magnitude > 0) {
      raiseOverflow();
    }
    value = 0.0;
  }
  return negative ? -value : value;
}

Int16 roundToInt16(double value) {
  if (std::isnan(value)) {
    raiseOverflow();
  }
  // std::nearbyint follows the default rounding mode: to nearest, ties to even.
  const double rounded = std::nearbyint(value);
  if (rounded < INT16_MIN || rounded > INT16_MAX) {
    raiseOverflow();
  }
  return Int16(static_cast<std::int16_t>(rounded));
}

std::int32_t textToInt32(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) {
    ++first;
  }
  while (last > first && isBlank(text[last - 1])) {
    --last;
  }
  text = text.substr(first, last - first);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || digitRun(text) != text.size()) {
    raiseTypeMismatch();
  }
  // Accumulate in 64 bits and stop as soon as the 32-bit range is left, so any
  // number of digits is handled without wrapping.
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
  std::int64_t magnitude = 0;
  for (const char c : text) {
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) {
      raiseOverflow();
    }
  }
  if (!negative && magnitude > INT32_MAX) {
    raiseOverflow();
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

char* writeDoubleText(char* first, char* last, double value) noexcept {
  if (value == 0.0) {
    value = 0.0; // never write "-0"
  }
  // Small whole non-negative numbers (every Long Count place) are by far the
  // most common; write their digits directly.
  if (value >= 0 && value < 4294967296.0) {
    const auto whole = static_cast<std::uint32_t>(value);
    if (static_cast<double>(whole) == value && last - first >= 10) {
      char digits[10];
      int n = 0;
      std::uint32_t rest = whole;
      do {
        digits[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
      } while (rest != 0);
      while (n > 0) {
        *first++ = digits[--n];
      }
      return first;
    }
  }
  std::to_chars_result result{};
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    result = std::to_chars(first, last, static_cast<std::int64_t>(value));
  } else {
    result = std::to_chars(first, last, value, std::chars_format::general, 15);
  }
  return result.ec == std::errc{} ? result.ptr : first;
}

std::string doubleToText(double value) {
  char buffer[kMaxDoubleTextLength];
  char* end = writeDoubleText(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string int16ToText(Int16 value) { return std::to_string(value.value()); }

} // namespace glyphbox::runtime
