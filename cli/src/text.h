#pragma once

// Character tests for reading the converter's inputs: ASCII only, whatever
// the locale, since dates, era words and Maya day names are ASCII.

#include <string_view>

namespace glyphbox::cli::text {

// The blanks a date may have around it and before its era word.
constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r'; }
constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr char lower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

} // namespace glyphbox::cli::text
