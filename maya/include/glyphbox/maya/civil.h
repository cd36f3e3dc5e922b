#pragma once

// Western calendars as Julian Day Numbers, for the scholarly conversions.
//
//   enum class Calendar { Gregorian, Julian, Historical };
//   struct CivilDate { std::int64_t year; int month; int day; };  // astronomical year
//   toJdn(CivilDate, Calendar)          -> Result<std::int64_t, CivilError>
//   fromJdn(std::int64_t jdn, Calendar) -> Result<CivilDate, CivilError>
//   validate(CivilDate, Calendar)       -> CivilError (Ok when the date exists)
//   isLeapYear(year, Calendar), daysInMonth(year, month, Calendar)
//   astronomicalYear(eraYear, Era)      -> Result<std::int64_t, CivilError>
//   eraYearOf(astronomicalYear)         -> EraYear {year >= 1, Era}
//   civilErrorMessage(CivilError)       -> std::string_view
//
// Years are astronomical: year 0 is 1 BCE, year -1 is 2 BCE. Every function is
// constexpr and noexcept; nothing allocates. Supported years are kMinYear to
// kMaxYear in every calendar; anything outside is refused, never converted wrongly.
//
// The day arithmetic itself is the standard library's <chrono> (Gregorian)
// and Howard Hinnant's date/julian.h (Julian). Both hold the year in 16 bits,
// so a date is first moved by whole calendar cycles into a window those
// libraries handle exactly, converted there, and moved back by the same
// number of cycles: the Gregorian calendar repeats every 400 years, the Julian
// every 4, with the same months, leap days and day count in each repetition.

#include <glyphbox/maya/result.h>
#include <glyphbox/runtime/messages.h>

#include <chrono>
#include <cstdint>
#include <string_view>

#include <date/julian.h>

namespace glyphbox::maya {

enum class Calendar {
  Gregorian,  // proleptic Gregorian: the Gregorian rule extended backwards
  Julian,     // proleptic Julian: a leap year every 4 years, extended backwards
  Historical, // Julian up to 4 October 1582, Gregorian from 15 October 1582
};

enum class CivilError {
  Ok,
  YearOutOfRange,  // year outside [kMinYear, kMaxYear]
  MonthOutOfRange, // month outside 1 to 12
  DayOutOfRange,   // day 0, or past the end of the month in that calendar
  InReformGap,     // 5 to 14 October 1582 in the historical calendar
  JdnOutOfRange,   // a day number whose date lies outside the supported years
  NoEraYearZero,   // CE and BCE years count from 1
};

// A day of a Western calendar; which calendar is said alongside it.
struct CivilDate {
  std::int64_t year = 0; // astronomical: 0 = 1 BCE, -1 = 2 BCE
  int month = 1;         // 1 to 12
  int day = 1;           // 1 to 31

  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Every year of at most twelve digits, either side of year 0: far beyond
// what the Long Count of any monument needs, and small enough that day
// numbers (about 365.25 per year) stay far inside 64 bits.
inline constexpr std::int64_t kMaxYear = 999'999'999'999;
inline constexpr std::int64_t kMinYear = -kMaxYear;

// JDN of 1 January 1970 (Gregorian), the day 0 of std::chrono::sys_days.
inline constexpr std::int64_t kSysDaysEpochJdn = 2'440'588;

// The Gregorian leap rule repeats every 400 years: 400 x 365 days + 97 leap days.
inline constexpr std::int64_t kGregorianCycleYears = 400;
inline constexpr std::int64_t kGregorianCycleDays = 146'097;
static_assert(kGregorianCycleDays == kGregorianCycleYears * 365 + 100 - 4 + 1);

// The Julian leap rule repeats every 4 years: 4 x 365 days + 1 leap day.
inline constexpr std::int64_t kJulianCycleYears = 4;
inline constexpr std::int64_t kJulianCycleDays = 1'461;
static_assert(kJulianCycleDays == kJulianCycleYears * 365 + 1);

// The calendar reform: Thursday 4 October 1582 (Julian) was followed by
// Friday 15 October 1582 (Gregorian).
inline constexpr std::int64_t kLastJulianJdn = 2'299'160;
inline constexpr std::int64_t kFirstGregorianJdn = kLastJulianJdn + 1;
inline constexpr CivilDate kLastJulianDate = {1582, 10, 4};
inline constexpr CivilDate kFirstGregorianDate = {1582, 10, 15};

namespace detail {

// Floored division for a positive divisor: floorDiv(-1, 4) == -1.
[[nodiscard]] constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) noexcept {
  const std::int64_t q = a / b;
  return (a % b < 0) ? q - 1 : q;
}

[[nodiscard]] constexpr bool before(const CivilDate& a, const CivilDate& b) noexcept {
  if (a.year != b.year) {
    return a.year < b.year;
  }
  return a.month != b.month ? a.month < b.month : a.day < b.day;
}

// Checks that do not depend on the calendar. Returns Ok or the first fault.
[[nodiscard]] constexpr CivilError checkFields(const CivilDate& date) noexcept {
  if (date.year < kMinYear || date.year > kMaxYear) {
    return CivilError::YearOutOfRange;
  }
  if (date.month < 1 || date.month > 12) {
    return CivilError::MonthOutOfRange;
  }
  if (date.day < 1 || date.day > 31) {
    return CivilError::DayOutOfRange;
  }
  return CivilError::Ok;
}

// The days of a month (1 to 12) under the Julian rule (a leap year every
// fourth year) or the Gregorian one (not in century years but every fourth).
// Two's complement makes year & 3 the floored remainder for years before 0 too.
[[nodiscard, gnu::always_inline]] constexpr int monthLength(std::int64_t year, int month,
                                                            bool julianRule) noexcept {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month != 2) {
    return kDays[month - 1];
  }
  const bool leap = (year & 3) == 0 && (julianRule || year % 100 != 0 || year % 400 == 0);
  return leap ? 29 : 28;
}

// Years <chrono> and date/julian.h hold as they are, well inside their 16
// bits: the dates of every monument and of any usual conversion.
inline constexpr std::int64_t kUnshiftedYears = 30'000;

// A year the libraries can take: itself when it is one of the unshifted
// years, otherwise brought into the first cycle [0, cycleYears), with how
// many whole cycles it was moved by. Preconditions: year in [kMinYear, kMaxYear].
struct CycleShift {
  int yearInCycle;     // the year the libraries are given
  std::int64_t cycles; // year = yearInCycle + cycles * cycleYears
};
[[nodiscard]] constexpr CycleShift shiftYear(std::int64_t year, std::int64_t cycleYears) noexcept {
  if (year > -kUnshiftedYears && year < kUnshiftedYears) {
    return {static_cast<int>(year), 0};
  }
  const std::int64_t cycles = floorDiv(year, cycleYears);
  return {static_cast<int>(year - cycles * cycleYears), cycles};
}

[[nodiscard]] constexpr std::chrono::year_month_day gregorianYmd(int yearInCycle, int month,
                                                                 int day) noexcept {
  return {std::chrono::year{yearInCycle}, std::chrono::month{static_cast<unsigned>(month)},
          std::chrono::day{static_cast<unsigned>(day)}};
}

[[nodiscard]] constexpr julian::year_month_day julianYmd(int yearInCycle, int month,
                                                         int day) noexcept {
  return {julian::year{yearInCycle}, julian::month{static_cast<unsigned>(month)},
          julian::day{static_cast<unsigned>(day)}};
}

// Preconditions: checkFields(date) == Ok. Returns DayOutOfRange for a day
// past the end of its month.
[[nodiscard]] constexpr Result<std::int64_t, CivilError>
gregorianToJdn(const CivilDate& date) noexcept {
  if (date.day > monthLength(date.year, date.month, false)) {
    return {0, CivilError::DayOutOfRange};
  }
  const CycleShift s = shiftYear(date.year, kGregorianCycleYears);
  const std::chrono::year_month_day ymd = gregorianYmd(s.yearInCycle, date.month, date.day);
  const std::int64_t sysDays = std::chrono::sys_days{ymd}.time_since_epoch().count();
  return {sysDays + kSysDaysEpochJdn + s.cycles * kGregorianCycleDays, CivilError::Ok};
}

// Preconditions as gregorianToJdn.
[[nodiscard]] constexpr Result<std::int64_t, CivilError>
julianToJdn(const CivilDate& date) noexcept {
  if (date.day > monthLength(date.year, date.month, true)) {
    return {0, CivilError::DayOutOfRange};
  }
  const CycleShift s = shiftYear(date.year, kJulianCycleYears);
  const julian::year_month_day ymd = julianYmd(s.yearInCycle, date.month, date.day);
  const std::int64_t sysDays = date::sys_days{ymd}.time_since_epoch().count();
  return {sysDays + kSysDaysEpochJdn + s.cycles * kJulianCycleDays, CivilError::Ok};
}

// Preconditions: jdn within the supported years of the calendar.
[[nodiscard]] constexpr CivilDate jdnToGregorian(std::int64_t jdn) noexcept {
  const std::int64_t z = jdn - kSysDaysEpochJdn;
  const std::int64_t cycles = floorDiv(z, kGregorianCycleDays);
  const std::int64_t dayInCycle = z - cycles * kGregorianCycleDays; // [0, 146096]: 1970 to 2369
  const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{dayInCycle}}};
  return {static_cast<int>(ymd.year()) + cycles * kGregorianCycleYears,
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// Preconditions: jdn within the supported years of the calendar.
[[nodiscard]] constexpr CivilDate jdnToJulian(std::int64_t jdn) noexcept {
  const std::int64_t z = jdn - kSysDaysEpochJdn;
  const std::int64_t cycles = floorDiv(z, kJulianCycleDays);
  const auto dayInCycle = static_cast<int>(z - cycles * kJulianCycleDays); // [0, 1460]
  const julian::year_month_day ymd{date::sys_days{date::days{dayInCycle}}};
  return {static_cast<int>(ymd.year()) + cycles * kJulianCycleYears,
          static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

} // namespace detail

// The first and last supported day numbers: 1 January kMinYear and
// 31 December kMaxYear (the historical calendar is Julian at the one end and
// Gregorian at the other).
inline constexpr std::int64_t kMinGregorianJdn = detail::gregorianToJdn({kMinYear, 1, 1}).value;
inline constexpr std::int64_t kMaxGregorianJdn = detail::gregorianToJdn({kMaxYear, 12, 31}).value;
inline constexpr std::int64_t kMinJulianJdn = detail::julianToJdn({kMinYear, 1, 1}).value;
inline constexpr std::int64_t kMaxJulianJdn = detail::julianToJdn({kMaxYear, 12, 31}).value;

// The anchors the cycle shift is built on, checked at compile time.
static_assert(detail::gregorianToJdn({2000, 1, 1}).value == 2'451'545);
static_assert(detail::julianToJdn(kLastJulianDate).value == kLastJulianJdn);
static_assert(detail::gregorianToJdn(kFirstGregorianDate).value == kFirstGregorianJdn);
static_assert(detail::julianToJdn({-4712, 1, 1}).value == 0); // the origin of the JDN

// Preconditions: month in [1, 12]. Returns 28 to 31, the highest day number
// of that month. October 1582 of the historical calendar has 31 (its days
// 5 to 14 are missing, not the days at its end).
[[nodiscard]] constexpr int daysInMonth(std::int64_t year, int month, Calendar calendar) noexcept {
  const bool julianRule = calendar == Calendar::Julian ||
                          (calendar == Calendar::Historical && year < kFirstGregorianDate.year);
  return detail::monthLength(year, month, julianRule);
}

// Whether year (astronomical) has a 29 February. The historical calendar
// follows the Julian rule before 1582 and the Gregorian after; 1582 is a
// common year in both.
[[nodiscard]] constexpr bool isLeapYear(std::int64_t year, Calendar calendar) noexcept {
  return daysInMonth(year, 2, calendar) == 29;
}

// The JDN of date in calendar, or why there is none: YearOutOfRange,
// MonthOutOfRange, DayOutOfRange (day 0 or past the month's end under that
// calendar's leap rule), InReformGap (historical calendar, 5 to 14 Oct 1582).
namespace detail {

// toJdn of every date but the usual ones below; kept out of line, so that
// toJdn itself stays small.
[[nodiscard, gnu::noinline]] constexpr Result<std::int64_t, CivilError>
anyToJdn(const CivilDate& date, Calendar calendar) noexcept {
  if (const CivilError e = checkFields(date); e != CivilError::Ok) {
    return {0, e};
  }
  switch (calendar) {
  case Calendar::Julian:
    return julianToJdn(date);
  case Calendar::Historical:
    if (!before(kLastJulianDate, date)) {
      return julianToJdn(date);
    }
    if (before(date, kFirstGregorianDate)) {
      return {0, CivilError::InReformGap};
    }
    break;
  case Calendar::Gregorian:
    break;
  }
  return gregorianToJdn(date);
}

} // namespace detail

[[nodiscard, gnu::always_inline]] constexpr Result<std::int64_t, CivilError>
toJdn(const CivilDate& date, Calendar calendar) noexcept {
  // The usual dates (an unshifted year, outside the reform's year in the
  // historical calendar) in a few steps, small enough to be inlined where
  // dates are converted by the million; everything else through anyToJdn.
  const bool usual = date.year > -detail::kUnshiftedYears && date.year < detail::kUnshiftedYears &&
                     date.month >= 1 && date.month <= 12 && date.day >= 1 &&
                     (calendar != Calendar::Historical || date.year != kLastJulianDate.year);
  if (!usual) {
    return detail::anyToJdn(date, calendar);
  }
  const bool julianRule = calendar == Calendar::Julian ||
                          (calendar == Calendar::Historical && date.year < kLastJulianDate.year);
  if (date.day > detail::monthLength(date.year, date.month, julianRule)) {
    return {0, CivilError::DayOutOfRange};
  }
  const auto y = static_cast<int>(date.year);
  const std::int64_t sysDays =
      julianRule
          ? date::sys_days{detail::julianYmd(y, date.month, date.day)}.time_since_epoch().count()
          : std::chrono::sys_days{detail::gregorianYmd(y, date.month, date.day)}
                .time_since_epoch()
                .count();
  return {sysDays + kSysDaysEpochJdn, CivilError::Ok};
}

// The date of jdn in calendar; JdnOutOfRange outside the supported years.
[[nodiscard]] constexpr Result<CivilDate, CivilError> fromJdn(std::int64_t jdn,
                                                              Calendar calendar) noexcept {
  const bool useJulian =
      calendar == Calendar::Julian || (calendar == Calendar::Historical && jdn <= kLastJulianJdn);
  if (useJulian) {
    if (jdn < kMinJulianJdn || jdn > kMaxJulianJdn) {
      return {{}, CivilError::JdnOutOfRange};
    }
    return {detail::jdnToJulian(jdn), CivilError::Ok};
  }
  if (jdn < kMinGregorianJdn || jdn > kMaxGregorianJdn) {
    return {{}, CivilError::JdnOutOfRange};
  }
  return {detail::jdnToGregorian(jdn), CivilError::Ok};
}

// Ok when date exists in calendar; otherwise the error toJdn would give.
[[nodiscard]] constexpr CivilError validate(const CivilDate& date, Calendar calendar) noexcept {
  return toJdn(date, calendar).error;
}

// --- CE and BCE ---------------------------------------------------------------

enum class Era { CE, BCE };

// A year as people write it: 1 or more, with its era.
struct EraYear {
  std::int64_t year = 1; // >= 1
  Era era = Era::CE;

  friend constexpr bool operator==(const EraYear&, const EraYear&) = default;
};

// The astronomical year of year CE or BCE: 1 BCE = 0, 2 BCE = -1, 1 CE = 1.
// NoEraYearZero when year < 1 (there is no year 0 in either era). The result
// is not range-checked; toJdn does that.
[[nodiscard]] constexpr Result<std::int64_t, CivilError> astronomicalYear(std::int64_t year,
                                                                          Era era) noexcept {
  if (year < 1) {
    return {0, CivilError::NoEraYearZero};
  }
  return {era == Era::CE ? year : 1 - year, CivilError::Ok};
}

// The CE/BCE form of an astronomical year. Preconditions: year > INT64_MIN.
[[nodiscard]] constexpr EraYear eraYearOf(std::int64_t year) noexcept {
  return year >= 1 ? EraYear{year, Era::CE} : EraYear{1 - year, Era::BCE};
}

// A sentence for the user, e.g. "the month is out of range; months run 1 to 12",
// in English: i18n::tr(civilErrorMessage(e).data()) is the user's language.
// The range sentence names kMinYear and kMaxYear.
static_assert(kMaxYear == 999'999'999'999 && kMinYear == -999'999'999'999);
[[nodiscard]] constexpr std::string_view civilErrorMessage(CivilError error) noexcept {
  switch (error) {
  case CivilError::Ok:
    return i18n::N_("no error");
  case CivilError::YearOutOfRange:
    return i18n::N_("the year is out of range; years run from -999999999999 to 999999999999");
  case CivilError::MonthOutOfRange:
    return i18n::N_("the month is out of range; months run 1 to 12");
  case CivilError::DayOutOfRange:
    return i18n::N_("the day is out of range for that month");
  case CivilError::InReformGap:
    return i18n::N_("5 to 14 October 1582 do not exist in the historical calendar "
                    "(4 October, Julian, was followed by 15 October, Gregorian)");
  case CivilError::JdnOutOfRange:
    return i18n::N_("the day number lies outside the supported years");
  case CivilError::NoEraYearZero:
    return i18n::N_("there is no year 0 in CE or BCE numbering; years count from 1");
  }
  return i18n::N_("unknown error");
}

} // namespace glyphbox::maya
