// Fuzzes the text-to-number conversions against straightforward reference
// implementations written independently of the production code.

#include <glyphbox/runtime/conversions.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using glyphbox::runtime::ErrorKind;
using glyphbox::runtime::RuntimeError;

struct Outcome {
  std::optional<ErrorKind> error;
  double value = 0;
  bool operator==(const Outcome& o) const {
    return error == o.error &&
           (error || value == o.value || (std::isnan(value) && std::isnan(o.value)));
  }
};

template <typename F> Outcome observe(F&& f) {
  Outcome o;
  try {
    o.value = static_cast<double>(f());
  } catch (const RuntimeError& e) {
    o.error = e.kind();
  }
  return o;
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

// The number a text begins with: copy the longest prefix that reads as
// [sign] digits [. digits] [exponent with digits], then let strtod (C locale)
// convert it. Too large is overflow; too small reads as the nearest double
// (a subnormal value or 0).
Outcome referenceValue(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && blank(s[i]))
    ++i;
  std::string number;
  if (i < s.size() && (s[i] == '+' || s[i] == '-'))
    number += s[i++];
  std::size_t mantissaDigits = 0;
  while (i < s.size() && digit(s[i])) {
    number += s[i++];
    ++mantissaDigits;
  }
  if (i < s.size() && s[i] == '.') {
    std::string frac;
    std::size_t j = i + 1;
    while (j < s.size() && digit(s[j]))
      frac += s[j++];
    if (mantissaDigits + frac.size() > 0) {
      number += '.';
      number += frac;
      mantissaDigits += frac.size();
      i = j;
    }
  }
  if (mantissaDigits == 0)
    return Outcome{std::nullopt, 0.0};
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exp = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-'))
      exp += s[j++];
    std::size_t expDigits = 0;
    // Exponents beyond a few thousand all mean "far too large/small": cap them.
    std::string digitsOnly;
    while (j < s.size() && digit(s[j])) {
      digitsOnly += s[j++];
      ++expDigits;
    }
    if (expDigits > 0) {
      const auto firstNonZero = digitsOnly.find_first_not_of('0');
      digitsOnly = firstNonZero == std::string::npos ? "0" : digitsOnly.substr(firstNonZero);
      if (digitsOnly.size() > 6)
        digitsOnly = "999999";
      number += exp + digitsOnly;
    }
  }
  errno = 0;
  const double v = std::strtod(number.c_str(), nullptr);
  if (errno == ERANGE && std::fabs(v) > 1.0)
    return Outcome{ErrorKind::Overflow, 0};
  return Outcome{std::nullopt, v};
}

// Whole numbers only, optionally signed and surrounded by blanks.
Outcome referenceInt32(std::string_view s) {
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty())
    return Outcome{ErrorKind::TypeMismatch, 0};
  for (char c : s)
    if (!digit(c))
      return Outcome{ErrorKind::TypeMismatch, 0};
  while (s.size() > 1 && s.front() == '0')
    s.remove_prefix(1);
  const std::string_view limit = negative ? "2147483648" : "2147483647";
  if (s.size() > limit.size() || (s.size() == limit.size() && s > limit)) {
    return Outcome{ErrorKind::Overflow, 0};
  }
  long long v = 0;
  for (char c : s)
    v = v * 10 + (c - '0');
  return Outcome{std::nullopt, static_cast<double>(negative ? -v : v)};
}

// Nearest 16-bit integer, halves to even, by plain floor arithmetic.
Outcome referenceInt16(double x) {
  if (std::isnan(x) || x >= 32767.5 || x < -32768.5)
    return Outcome{ErrorKind::Overflow, 0};
  double r = std::floor(x);
  const double frac = x - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0))
    r += 1;
  if (r > 32767 || r < -32768)
    return Outcome{ErrorKind::Overflow, 0};
  return Outcome{std::nullopt, r};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const Outcome value = observe([&] { return glyphbox::runtime::valueOfText(text); });
  if (!(value == referenceValue(text)))
    std::abort();

  const Outcome whole = observe([&] { return glyphbox::runtime::textToInt32(text); });
  if (!(whole == referenceInt32(text)))
    std::abort();

  if (!value.error) {
    const Outcome rounded =
        observe([&] { return glyphbox::runtime::roundToInt16(value.value).value(); });
    if (!(rounded == referenceInt16(value.value)))
      std::abort();
    // Whole numbers written as text read back as the same number.
    if (std::fabs(value.value) < 1e15 && value.value == std::trunc(value.value)) {
      const std::string written = glyphbox::runtime::doubleToText(value.value);
      if (glyphbox::runtime::valueOfText(written) != value.value)
        std::abort();
    }
  }
  return 0;
}
