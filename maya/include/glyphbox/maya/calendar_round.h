#pragma once

// The Calendar Round (Tzolkin and Haab), the Lords of the Night and the year
// bearer of any day number d (days from 0.0.0.0.0; negative before it).
//
//   tzolkinOf(d)                        -> Tzolkin {number 1-13, name 0-19 (0 = Ahau)}
//   haabPositionOf(d)                   -> int 0-364 (0 = the seating of Pop)
//   haabOf(d, numbering)                -> Haab {month 1-19, day}
//   haabFromPosition(position, numbering) -> Haab
//   haabPosition(haab, numbering)       -> std::optional<int> (nothing when not a Haab date)
//   lordOfTheNight(d)                   -> int 1-9 (G1 to G9)
//   yearBearerOf(d)                     -> Tzolkin of the latest 0 Pop on or before d
//   canMeet(tzolkinName, haabPosition)  -> bool; Calendar Round dates that exist
//   bearsYears(tzolkinName)             -> bool; Ik, Manik, Eb and Caban begin years
//   calendarRoundIndex(tzolkin, haabPosition) -> std::optional<int>: d mod 18980
//
// All constexpr and noexcept, for every d of 64 bits: remainders are floored,
// so the cycles run on unbroken before 0.0.0.0.0.

#include <cstdint>
#include <numeric>
#include <optional>

namespace glyphbox::maya {

// Tzolkin: 13 numbers and 20 names run side by side, so a pair repeats every 260 days.
inline constexpr int kTrecena = 13;
inline constexpr int kVeintena = 20;
inline constexpr int kTzolkinDays = 260;
static_assert(kTzolkinDays == kTrecena * kVeintena);

// Haab: 18 months of 20 days, then the 5 days of Uayeb (month 19).
inline constexpr int kHaabMonthDays = 20;
inline constexpr int kUayebDays = 5;
inline constexpr int kHaabMonths = 19;
inline constexpr int kUayeb = 19;
inline constexpr int kHaabYear = 365;
static_assert(kHaabYear == (kHaabMonths - 1) * kHaabMonthDays + kUayebDays);

// The Calendar Round: 52 Haab years = 73 Tzolkin cycles, the first day on
// which both come round together. The year bearers, the Tzolkin dates of
// 0 Pop, therefore repeat every 52 years and not sooner.
inline constexpr int kCalendarRound = 18'980;
inline constexpr int kYearBearerCycle = 52; // Haab years
static_assert(kCalendarRound == kYearBearerCycle * kHaabYear &&
              kCalendarRound == 73 * kTzolkinDays);
static_assert(kCalendarRound == std::lcm(kHaabYear, kTzolkinDays));

// Where 0.0.0.0.0 (4 Ahau 8 Cumku) stands: the Tzolkin number is (d + 3) mod 13 + 1,
// and the Haab position (d + 348) mod 365, 8 Cumku being day 8 of month 18.
inline constexpr int kEpochTzolkinOffset = 3;
inline constexpr int kEpochHaabPosition = 348;
static_assert(kEpochHaabPosition == (18 - 1) * kHaabMonthDays + 8);

// Nine Lords of the Night, G1 to G9; 0.0.0.0.0 is G9.
inline constexpr int kLordsOfTheNight = 9;

// A Tzolkin name n and a Haab position p fall on the same day only when
// (p - n) mod 5 equals this (20 and 365 share the factor 5).
inline constexpr int kCalendarRoundResidue = 3;
static_assert((kEpochHaabPosition - 0) % 5 == kCalendarRoundResidue);

namespace detail {
// x mod m in [0, m) for any x. Preconditions: m > 0.
[[nodiscard]] constexpr int floorMod(std::int64_t x, int m) noexcept {
  const auto r = static_cast<int>(x % m);
  return r < 0 ? r + m : r;
}

// The same for moduli beyond int, such as a Long Count place value or the
// common period of several cycles. Preconditions: m > 0.
[[nodiscard]] constexpr std::int64_t floorMod(std::int64_t x, std::int64_t m) noexcept {
  const std::int64_t r = x % m;
  return r < 0 ? r + m : r;
}
static_assert(floorMod(std::int64_t{-1}, std::int64_t{23'040'000'000}) == 23'039'999'999);
} // namespace detail

struct Tzolkin {
  int number = 1; // 1 to 13
  int name = 0;   // 0 to 19, 0 = Ahau (Ajaw), 1 = Imix, ... 19 = Caunac (Kawak)

  friend constexpr bool operator==(const Tzolkin&, const Tzolkin&) = default;
};

// The Tzolkin date of d: number ((d + 3) mod 13) + 1, name d mod 20.
[[nodiscard]] constexpr Tzolkin tzolkinOf(std::int64_t d) noexcept {
  return {detail::floorMod(detail::floorMod(d, kTrecena) + kEpochTzolkinOffset, kTrecena) + 1,
          detail::floorMod(d, kVeintena)};
}

// The place of d in the Haab year, 0 to 364, counted from the seating of Pop
// (0 Pop); 360 to 364 are the days of Uayeb.
[[nodiscard]] constexpr int haabPositionOf(std::int64_t d) noexcept {
  return detail::floorMod(detail::floorMod(d, kHaabYear) + kEpochHaabPosition, kHaabYear);
}

// How the days of a Haab month are numbered.
enum class HaabNumbering {
  // The scholarly count: days 0 to 19, day 0 being the month's seating; Uayeb 0 to 4.
  Seating0,
  // The window's count: days 1 to 20, Uayeb 1 to 5. The seating of a month is
  // the last day (20) of the month before, so scholarly 0 Uayeb is 20 Cumku
  // and 0 Pop is 5 Uayeb; both read 0.0.0.0.0 as 8 Cumku.
  Window1,
};

struct Haab {
  int month = 1; // 1 to 19 (19 = Uayeb)
  int day = 0;   // 0 to 19 (Seating0) or 1 to 20 (Window1); Uayeb 0 to 4 or 1 to 5

  friend constexpr bool operator==(const Haab&, const Haab&) = default;
};

// Preconditions: position in [0, 364]. The (month, day) label of that
// position under numbering.
[[nodiscard]] constexpr Haab haabFromPosition(int position, HaabNumbering numbering) noexcept {
  if (numbering == HaabNumbering::Window1) {
    // The window labels each day as the scholarly count does the day before, plus one.
    const int shifted = (position + kHaabYear - 1) % kHaabYear;
    return {shifted / kHaabMonthDays + 1, shifted % kHaabMonthDays + 1};
  }
  return {position / kHaabMonthDays + 1, position % kHaabMonthDays};
}

// The position 0 to 364 that haab names under numbering, or nothing when it
// is no Haab date there: month outside 1 to 19, day outside 0 to 19
// (Seating0) or 1 to 20 (Window1), or beyond the five days of Uayeb.
[[nodiscard]] constexpr std::optional<int> haabPosition(const Haab& haab,
                                                        HaabNumbering numbering) noexcept {
  const int first = numbering == HaabNumbering::Window1 ? 1 : 0;
  const int monthDays = haab.month == kUayeb ? kUayebDays : kHaabMonthDays;
  if (haab.month < 1 || haab.month > kHaabMonths || haab.day < first ||
      haab.day >= first + monthDays) {
    return std::nullopt;
  }
  const int label = (haab.month - 1) * kHaabMonthDays + (haab.day - first);
  return numbering == HaabNumbering::Window1 ? (label + 1) % kHaabYear : label;
}

// The Haab date of d under numbering.
[[nodiscard]] constexpr Haab haabOf(std::int64_t d, HaabNumbering numbering) noexcept {
  return haabFromPosition(haabPositionOf(d), numbering);
}

// The Lord of the Night of d, 1 to 9 for G1 to G9: ((d - 1) mod 9) + 1.
[[nodiscard]] constexpr int lordOfTheNight(std::int64_t d) noexcept {
  return detail::floorMod(detail::floorMod(d, kLordsOfTheNight) + kLordsOfTheNight - 1,
                          kLordsOfTheNight) +
         1;
}

// The year bearer of d: the Tzolkin date of the latest 0 Pop on or before d
// (the five days of Uayeb still belong to the year that is ending).
[[nodiscard]] constexpr Tzolkin yearBearerOf(std::int64_t d) noexcept {
  // d - position, taken apart by cycle so that no d of 64 bits overflows.
  const int position = haabPositionOf(d);
  const int inTrecena = detail::floorMod(d, kTrecena) - position % kTrecena;
  const int inVeintena = detail::floorMod(d, kVeintena) - position % kVeintena;
  return {detail::floorMod(inTrecena + kEpochTzolkinOffset, kTrecena) + 1,
          detail::floorMod(inVeintena, kVeintena)};
}

// Whether a day with Tzolkin name index tzolkinName (0 to 19) can have Haab
// position haabPosition (0 to 364): only when (p - n) mod 5 = 3. "4 Ahau
// 9 Cumku" never happens. The Tzolkin number does not restrict it: every
// number meets every Haab position once the name fits.
[[nodiscard]] constexpr bool canMeet(int tzolkinName, int haabPosition) noexcept {
  return detail::floorMod(haabPosition - tzolkinName, 5) == kCalendarRoundResidue;
}

// Whether a Tzolkin name (0 to 19) bears years, that is falls on some 0 Pop:
// the names that can meet Haab position 0. A year of 365 days moves the name
// on by 5, so they are the four names 5 apart from Ik: Ik, Manik, Eb, Caban.
[[nodiscard]] constexpr bool bearsYears(int tzolkinName) noexcept {
  return canMeet(tzolkinName, 0);
}
static_assert(bearsYears(2) && bearsYears(7) && bearsYears(12) && bearsYears(17));
static_assert(!bearsYears(0) && !bearsYears(1) && !bearsYears(3) && !bearsYears(19));

// The place of a Calendar Round in its 18,980-day cycle: the one d in
// [0, 18979] with that Tzolkin date and Haab position, so every d with it is
// that plus a multiple of 18,980. Nothing when the two never meet or a value
// is out of range (number 1-13, name 0-19, position 0-364).
[[nodiscard]] constexpr std::optional<int> calendarRoundIndex(const Tzolkin& tzolkin,
                                                              int haabPosition) noexcept {
  if (tzolkin.number < 1 || tzolkin.number > kTrecena || tzolkin.name < 0 ||
      tzolkin.name >= kVeintena || haabPosition < 0 || haabPosition >= kHaabYear ||
      !canMeet(tzolkin.name, haabPosition)) {
    return std::nullopt;
  }
  // The Tzolkin day: d = name (mod 20) and d = number - 4 (mod 13). 13 of the
  // 260 days have the name; one of them has the number.
  int inTzolkin = tzolkin.name;
  while (tzolkinOf(inTzolkin).number != tzolkin.number) {
    inTzolkin += kVeintena;
  }
  // Then the Haab: 73 Tzolkin cycles in a Calendar Round, one with the position.
  for (int d = inTzolkin; d < kCalendarRound; d += kTzolkinDays) {
    if (haabPositionOf(d) == haabPosition) {
      return d;
    }
  }
  return std::nullopt; // unreachable when canMeet holds
}

} // namespace glyphbox::maya
