#pragma once

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/names.h>
#include <glyphbox/runtime/int16.h>

#include <array>
#include <string_view>

namespace glyphbox::engine {

using runtime::Int16;

// The twenty Tzolkin day names, indexed by the kin of the Long Count (0 = Ahau),
// in the colonial spelling the window shows: the scholarly library's table.
inline constexpr const std::array<std::string_view, 20>& kTzolkinNames =
    maya::kColonialTzolkinNames;

// The nineteen Haab months; month 1 is Pop, month 19 the five days of Uayeb.
inline constexpr const std::array<std::string_view, 19>& kHaabMonthNames =
    maya::kColonialHaabMonthNames;

// Cycle lengths and where the epoch (day count 0, 4 Ahau 8 Cumku) stands in them.
inline constexpr int kTrecena = maya::kTrecena; // Tzolkin numbers 1..13
inline constexpr int kEpochTzolkinNumber = 4;
inline constexpr int kHaabYear = maya::kHaabYear; // 18 months of 20 days and 5 days of Uayeb
inline constexpr int kHaabMonthDays = maya::kHaabMonthDays;
inline constexpr int kHaabEpochPosition = 347; // day 8 of Cumku, counted from 0 = 1 Pop
static_assert(kHaabEpochPosition == (18 - 1) * kHaabMonthDays + (8 - 1));
// The window counts days from 1, so its position is the scholarly one less one.
static_assert(kHaabEpochPosition == maya::kEpochHaabPosition - 1);
static_assert(kHaabYear == 18 * kHaabMonthDays + 5);

struct TzolkinDate {
  Int16 number = 0;      // 1 to 13
  std::string_view name; // one of kTzolkinNames

  friend bool operator==(const TzolkinDate&, const TzolkinDate&) = default;
};

struct HaabDate {
  Int16 day = 0;         // 1 to 20; 1 to 5 in Uayeb
  Int16 month = 0;       // 1 to 19
  std::string_view name; // kHaabMonthNames[month - 1]

  friend bool operator==(const HaabDate&, const HaabDate&) = default;
};

// The Tzolkin date: the number steps through the unfolded dayCount, the name
// follows kin, the last place of the folded count's Long Count. dayCount is
// any whole number of days, before the epoch too; kin a whole number 0 to 19
// (any other kin gives an empty name). Raises the floating-point error when
// dayCount is not finite and the invalid-argument error when it has a fraction.
[[nodiscard]] TzolkinDate computeTzolkin(double dayCount, double kin);

// The Haab date of the unfolded dayCount; dayCount as for computeTzolkin.
[[nodiscard]] HaabDate computeHaab(double dayCount);

} // namespace glyphbox::engine
