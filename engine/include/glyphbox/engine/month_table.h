#pragma once

#include <glyphbox/runtime/int16.h>

#include <array>
#include <string_view>

namespace glyphbox::engine {

using runtime::Int16;

// The month names exactly as the date entry offers them, in calendar order.
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

// Booleans of the window state are 16-bit integers with -1 for true.
inline constexpr Int16 kTrue = -1;
inline constexpr Int16 kFalse = 0;

// Gregorian rule: divisible by 4, and by 400 when divisible by 100.
[[nodiscard]] constexpr bool isGregorianLeapYear(std::int32_t year) noexcept {
  return year % 4 == 0 && (year % 400 == 0 || year % 100 != 0);
}

// The days of month monthNum (1 to 12), 28 to 31; February follows leapYear.
// Raises the invalid-argument error for any other month number.
[[nodiscard]] constexpr Int16 daysInMonth(int monthNum, Int16 leapYear) {
  constexpr std::array<std::int16_t, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (monthNum < 1 || monthNum > 12) {
    runtime::raiseInvalidArgument("the month number must be 1 to 12");
  }
  if (monthNum == 2 && leapYear != kFalse) {
    return 29;
  }
  return kDays[static_cast<std::size_t>(monthNum - 1)];
}

// The calendar state the date entry keeps between events: the chosen month,
// its length and whether the year text last seen names a leap year.
// Everything starts at zero: no month, and not a leap year.
struct CalendarState {
  Int16 monthNum = 0;    // 1 to 12; 0 before a month has been chosen
  Int16 daysInMonth = 0; // 28 to 31
  Int16 leapYear = kFalse;

  // The leap-year rule for the year text as typed, whatever the era: the text
  // must be a whole number (RuntimeError otherwise); sets leapYear.
  void applyYearText(std::string_view yearText);

  // The month lookup: a text equal (case-sensitive) to one of kMonthNames sets
  // monthNum and daysInMonth, reading leapYear now; any other text changes nothing.
  // Returns whether the text named a month.
  bool applyMonthText(std::string_view monthText) noexcept;
};

} // namespace glyphbox::engine
