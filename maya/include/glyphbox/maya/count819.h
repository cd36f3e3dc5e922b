#pragma once

// The 819-day count of any day number d (days from 0.0.0.0.0).
//
//   station819Of(d)   -> Station819 {since 0-818, day, index, quarter, number 1-20}
//   quarterName(q), quarterYucatec(q), colourName(q), colourYucatec(q)
//
// Stations fall every 819 days (7 x 9 x 13) from a station three days before
// 0.0.0.0.0, on 1 Caban 5 Cumku, which stands in the East; the quarters turn
// East, South, West, North, station by station. Twenty stations, 16,380 days
// (the least common multiple of 819 and 260), make the longer cycle Linden and
// Bricker read, numbered 1 to 20 from the same base. The count follows the day
// count, so it moves with a correlation exactly as the Long Count does.
//
// All constexpr and noexcept, for every d of 64 bits but the 818 lowest:
// remainders are floored, so the count runs on unbroken before 0.0.0.0.0.

#include <glyphbox/maya/calendar_round.h>

#include <array>
#include <cstdint>
#include <string_view>

namespace glyphbox::maya {

inline constexpr int kStationDays = 819;
static_assert(kStationDays == 7 * kLordsOfTheNight * kTrecena);

// The station on which the count is based lies three days before 0.0.0.0.0.
inline constexpr int kStationBaseOffset = 3;

inline constexpr int kQuarters = 4;
inline constexpr int kStationsInLongCycle = 20;
inline constexpr int kLongStationCycle = kStationsInLongCycle * kStationDays; // 16,380 days
static_assert(kLongStationCycle == std::lcm(kStationDays, kTzolkinDays));

// The four quarters in the order the stations turn, each with its colour.
enum class Quarter { East, South, West, North };

struct Station819 {
  int since = 0;          // days since the day's station, 0 to 818
  std::int64_t day = 0;   // the station's day number: d - since
  std::int64_t index = 0; // which station, counted from the one of the base (0)
  Quarter quarter = Quarter::East;
  int number = 1; // the station's place in the 20 of the 16,380-day cycle, 1 to 20
};

[[nodiscard]] constexpr Station819 station819Of(std::int64_t d) noexcept {
  // d + 3 taken apart by whole stations without leaving 64 bits for any d.
  const int since =
      detail::floorMod(detail::floorMod(d, kStationDays) + kStationBaseOffset, kStationDays);
  const std::int64_t day = d - since;
  // day + 3 is a whole number of stations; counted from day, not d + 3, so
  // that no d of 64 bits overflows.
  const std::int64_t index =
      day / kStationDays + (day % kStationDays + kStationBaseOffset) / kStationDays;
  return {since, day, index, static_cast<Quarter>(detail::floorMod(index, kQuarters)),
          detail::floorMod(index, kStationsInLongCycle) + 1};
}

// The quarters and colours in English and as the colonial Yucatec sources print them.
inline constexpr std::array<std::string_view, kQuarters> kQuarterNames = {"East", "South", "West",
                                                                          "North"};
inline constexpr std::array<std::string_view, kQuarters> kQuarterYucatec = {"likin", "nohol",
                                                                            "chikin", "xaman"};
inline constexpr std::array<std::string_view, kQuarters> kColourNames = {"red", "yellow", "black",
                                                                         "white"};
inline constexpr std::array<std::string_view, kQuarters> kColourYucatec = {"chak", "kan", "ek",
                                                                           "sak"};

[[nodiscard]] constexpr std::string_view quarterName(Quarter q) noexcept {
  return kQuarterNames[static_cast<std::size_t>(q)];
}
[[nodiscard]] constexpr std::string_view quarterYucatec(Quarter q) noexcept {
  return kQuarterYucatec[static_cast<std::size_t>(q)];
}
[[nodiscard]] constexpr std::string_view colourName(Quarter q) noexcept {
  return kColourNames[static_cast<std::size_t>(q)];
}
[[nodiscard]] constexpr std::string_view colourYucatec(Quarter q) noexcept {
  return kColourYucatec[static_cast<std::size_t>(q)];
}

// The base: the station three days before 0.0.0.0.0, in the East, falls on
// 1 Caban 5 Cumku; every station falls on a Tzolkin day numbered 1.
static_assert(station819Of(0).since == 3 && station819Of(0).day == -3 &&
              station819Of(0).quarter == Quarter::East && station819Of(0).number == 1);
static_assert(tzolkinOf(-3) == Tzolkin{1, 17} &&
              haabOf(-3, HaabNumbering::Seating0) == Haab{18, 5});
static_assert(station819Of(-2440).since == 20 && station819Of(-2440).quarter == Quarter::South);
static_assert(station819Of(INT64_MIN + kStationDays).day >= INT64_MIN &&
              station819Of(INT64_MAX).since < kStationDays);

} // namespace glyphbox::maya
