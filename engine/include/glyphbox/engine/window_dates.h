#pragma once

// The window's arithmetic in exact integers, for converting many dates at
// once and for finding the dates the window shows with a day.
//
//   kMaxYear                                 the largest year the year field takes
//   WindowDate {year, month, day, era}       a date as the window's fields take it
//   windowDaysInMonth(year, month)           28 to 31, by the leap-year rule of the year as typed
//   windowDayCount(year, era, month, day)    == computeDayCounts(...).dayCount, exactly
//   windowFoldedCount(dayCount)              == foldIntoCycle(dayCount), or nothing on overflow
//   windowDateOfJdn(jdn)                     the window's date of a (proleptic Gregorian) day
//   windowDatesOf(longCountDays)             every date of 9999 BCE to 9999 CE showing a Long Count
//
// The double-precision functions of day_count.h are the window's own
// definition; these give the same numbers for every year the year field
// takes, without a floating-point step, and are what the converter uses.

#include <glyphbox/engine/day_count.h>
#include <glyphbox/engine/month_table.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace glyphbox::engine {

// The largest year the window's year field accepts: a signed 32-bit whole number.
inline constexpr std::int64_t kMaxYear = 2'147'483'647;

// The years the window's Long Count is searched over when it is asked for a date.
inline constexpr std::int64_t kWindowSearchYears = 9'999;

// A date as the window's fields take it: the year as typed (0 to kMaxYear)
// with its era, month 1 to 12, day 1 to windowDaysInMonth(year, month).
struct WindowDate {
  std::int64_t year = 0;
  int month = 1;
  int day = 1;
  Era era = Era::CE;

  friend constexpr bool operator==(const WindowDate&, const WindowDate&) = default;
};

// The days of month 1 to 12 under the year field's leap-year rule, which
// reads the year as typed, whatever the era: year 4 BCE has a 29 February.
// Preconditions: year 0 to kMaxYear, month 1 to 12.
[[nodiscard, gnu::always_inline]] constexpr int windowDaysInMonth(std::int64_t year,
                                                                  int month) noexcept {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month != 2) {
    return kDays[month - 1];
  }
  return isGregorianLeapYear(static_cast<std::int32_t>(year)) ? 29 : 28;
}

// The window's day count of a date in exact integers. With y the shifted,
// March-based year and a the day of that year (1 to 366), the window's
// left-to-right double arithmetic y*365 + a + y/4 - y/100 + y/400, floored
// after adding 1721118.5, equals a + floor((146097*y + 200) / 400) + 1721118:
// the exact sum has a fraction that is a multiple of 1/400, and the roundings
// of the double steps (under 2^-13 together for |y| < 2^31) never carry it
// across a whole number.
// Preconditions: year 0 to kMaxYear, month 1 to 12, day 1 to 31.
[[nodiscard, gnu::always_inline]] constexpr std::int64_t
windowDayCount(std::int64_t year, Era era, int month, int day) noexcept {
  // 1721118.5 less the half added before the floor, and the epoch's day number.
  constexpr std::int64_t kWholeDayOffset = 1'721'118;
  constexpr std::int64_t kEpoch = static_cast<std::int64_t>(kEpochDayNumber);
  constexpr std::int64_t kDaysIn400Years = 146'097; // 400 x 365 + 100 - 4 + 1
  // Days from 1 March to the first of each month of the March-based year,
  // months 3 to 14: (153 x month - 457) \ 5.
  constexpr std::int16_t kMonthStart[15] = {0,   0,   0,   0,   31,  61,  92, 122,
                                            153, 184, 214, 245, 275, 306, 337};
  static_assert(kMonthStart[14] == (153 * 14 - 457) / 5 && kMonthStart[4] == (153 * 4 - 457) / 5);
  static_assert(kWholeDayOffset + 0.5 == kDayNumberOffset);
  // Year Y CE counts as Y - 1 and Y BCE as -Y; January and February belong
  // to the March-based year before.
  std::int64_t y = era == Era::CE ? year - 1 : -year;
  int workMonth = month;
  if (workMonth < 3) {
    y -= 1;
    workMonth += 12;
  }
  const std::int64_t n = kDaysIn400Years * y + 200;
  const std::int64_t q = n / 400;
  const std::int64_t floored = (n % 400 != 0 && n < 0) ? q - 1 : q; // floored, for y < 0 too
  return kMonthStart[workMonth] + day + floored + kWholeDayOffset - kEpoch;
}

// The count the window's Long Count is written from: dayCount folded once
// into a great cycle (counts before the epoch get whole cycles added); nothing
// from 144000 x 32768 days up, where the 16-bit baktun place overflows.
[[nodiscard]] constexpr std::optional<std::int64_t>
windowFoldedCount(std::int64_t dayCount) noexcept {
  constexpr auto kCycle = static_cast<std::int64_t>(kGreatCycle);
  constexpr auto kLimit = static_cast<std::int64_t>(kLongCountLimit);
  std::int64_t count = dayCount;
  if (count > kCycle) {
    count -= kCycle;
  } else if (count < 0) {
    count %= kCycle;
    count = count < 0 ? count + kCycle : count;
  }
  if (count >= kLimit) {
    return std::nullopt;
  }
  return count;
}

// The anchors: 1 January 2000 CE is 12.19.6.15.1; 24 December 2012 folds to 1.
static_assert(windowDayCount(2000, Era::CE, 1, 1) ==
              12 * 144'000 + 19 * 7'200 + 6 * 360 + 15 * 20 + 1);
static_assert(windowFoldedCount(windowDayCount(2012, Era::CE, 12, 24)) == 1);
static_assert(windowFoldedCount(static_cast<std::int64_t>(kGreatCycle)) ==
              static_cast<std::int64_t>(kGreatCycle));
static_assert(!windowFoldedCount(static_cast<std::int64_t>(kLongCountLimit + kGreatCycle)));

// The window's date of the day with Julian Day Number jdn: its proleptic
// Gregorian date, typed as the year field takes it. Nothing when the year
// lies beyond kMaxYear, or for a 29 February in a year the year field's rule
// does not make a leap year (1 BCE is one astronomically, year 1 as typed is not).
[[nodiscard]] std::optional<WindowDate> windowDateOfJdn(std::int64_t jdn) noexcept;

// Every date of the years kWindowSearchYears BCE to kWindowSearchYears CE
// that the window shows with the Long Count whose face value is
// longCountDays, in the order of their day counts (BCE first on a tie). A
// count below one baktun is never shown (the window writes its baktun 13),
// and 13.x.x.x.x stands for both its face value and 13 baktuns less.
[[nodiscard]] std::vector<WindowDate> windowDatesOf(std::int64_t longCountDays);

} // namespace glyphbox::engine
