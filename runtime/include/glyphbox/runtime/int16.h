#pragma once

#include <glyphbox/runtime/error.h>

#include <compare>
#include <cstdint>

namespace glyphbox::runtime {

// A signed 16-bit whole number whose +, - and * raise the overflow error
// instead of wrapping: the month, day and counter arithmetic of the calendar
// is defined in 16 bits and must fail loudly where 16 bits do not suffice.
class Int16 {
public:
  constexpr Int16() noexcept = default;
  constexpr Int16(std::int16_t v) noexcept : value_(v) {} // NOLINT: implicit by design

  [[nodiscard]] constexpr std::int16_t value() const noexcept { return value_; }

  friend constexpr Int16 operator+(Int16 a, Int16 b) { return checked(int{a.value_} + b.value_); }
  friend constexpr Int16 operator-(Int16 a, Int16 b) { return checked(int{a.value_} - b.value_); }
  friend constexpr Int16 operator*(Int16 a, Int16 b) { return checked(int{a.value_} * b.value_); }
  // Integer division truncating toward zero; -32768 \ -1 does not fit and overflows.
  friend constexpr Int16 operator/(Int16 a, Int16 b) {
    if (b.value_ == 0) {
      raiseFloatingPoint();
    }
    return checked(int{a.value_} / b.value_);
  }

  constexpr Int16& operator+=(Int16 b) { return *this = *this + b; }
  constexpr Int16& operator-=(Int16 b) { return *this = *this - b; }

  friend constexpr bool operator==(Int16 a, Int16 b) noexcept = default;
  friend constexpr auto operator<=>(Int16 a, Int16 b) noexcept = default;

private:
  static constexpr Int16 checked(int wide) {
    if (wide < INT16_MIN || wide > INT16_MAX) {
      raiseOverflow();
    }
    return Int16(static_cast<std::int16_t>(wide));
  }

  std::int16_t value_ = 0;
};

} // namespace glyphbox::runtime
