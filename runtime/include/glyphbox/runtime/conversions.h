#pragma once

#include <glyphbox/runtime/int16.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace glyphbox::runtime {

// The number a text begins with, 0 when it begins with none.
// Leading blanks are skipped; an optional sign, digits, an optional decimal
// point with digits and an optional exponent (E or D) are read; the rest of the
// text is ignored. A number too large for a double raises the overflow error.
[[nodiscard]] double valueOfText(std::string_view text);

// The nearest signed 16-bit integer, halves rounded to even (2.5 -> 2, 3.5 -> 4).
// Raises the overflow error outside -32768..32767 and for NaN.
[[nodiscard]] Int16 roundToInt16(double value);

// A text holding a whole number, optionally signed and surrounded by blanks,
// as a signed 32-bit integer. Raises the type-mismatch error when the text is
// not a whole number and the overflow error when it is out of range.
[[nodiscard]] std::int32_t textToInt32(std::string_view text);

// The greatest whole number not above the value (-0.5 -> -1).
[[nodiscard]] inline double floorOf(double value) noexcept { return std::floor(value); }

// Decimal text of a double: whole numbers in plain digits with no decimal point
// and no leading blank, a minus sign when negative; other values with up to 15
// significant digits.
[[nodiscard]] std::string doubleToText(double value);

// Writes doubleToText(value) into [first, last); returns the end of the text.
// The buffer must hold at least kMaxDoubleTextLength characters.
inline constexpr int kMaxDoubleTextLength = 32;
char* writeDoubleText(char* first, char* last, double value) noexcept;

// Decimal text of a 16-bit integer without a leading blank.
[[nodiscard]] std::string int16ToText(Int16 value);

// Raises the floating-point error when a step of a calculation produced an
// infinite value or NaN; returns the value otherwise, so it can wrap a step.
inline double checkFloat(double value) {
  if (!std::isfinite(value)) {
    raiseFloatingPoint();
  }
  return value;
}

} // namespace glyphbox::runtime
