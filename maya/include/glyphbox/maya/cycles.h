#pragma once

// Every cycle of a day from one remainder, for converting days by the
// million (the Python module's NumPy functions): the same values the
// one-cycle functions of calendar_round.h, count819.h and long_count.h give,
// in 32-bit arithmetic that a compiler turns into a few multiplications
// each and runs on several days at once.
//
//   commonPlace(d)              -> the place of d in kCommonPeriod days (64-bit d)
//   commonPlaceOfSmall(d)       -> the same for |d| < kSmallDay, in 32 bits
//   lowerPlacesOf(dayInBaktun)  -> LowerPlaces {katun, tun, uinal, kin}
//   tzolkinOfPlace(p), haabPositionOfPlace(p), lordOfPlace(p), bearerOfPlace(p),
//   station819OfPlace(p)        -> the cycles of every day with place p
//   dayCyclesOf(d)              -> DayCycles, all of them
//
// The Tzolkin, the Haab, the Lords, the year bearers and the 20 stations of
// the 819-day count all repeat within kCommonPeriod days, so a day's place
// in it (d mod kCommonPeriod, floored) stands for the day in each of them.

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>

#include <cstdint>
#include <numeric>

namespace glyphbox::maya {

// The least common multiple of the Tzolkin (260), the Haab (365), the Lords
// (9) and the 819-day count's cycle of 20 stations (16,380 days).
inline constexpr std::int64_t kCommonPeriod = 1'195'740;
static_assert(kCommonPeriod ==
              std::lcm(std::lcm(std::int64_t{kTzolkinDays}, kHaabYear),
                       std::lcm(std::int64_t{kLordsOfTheNight}, std::int64_t{kLongStationCycle})));
// The period holds whole cycles of 20 stations and so whole rounds of the quarters.
static_assert(kCommonPeriod % kLongStationCycle == 0 && kStationsInLongCycle % kQuarters == 0);

// Preconditions: none; any d of 64 bits.
[[nodiscard, gnu::always_inline]] constexpr std::uint32_t commonPlace(std::int64_t d) noexcept {
  return static_cast<std::uint32_t>(detail::floorMod(d, kCommonPeriod));
}

// The days within some three million years of 0.0.0.0.0 either way, where
// commonPlaceOfSmall applies: lifted by kSmallLift, a whole number of
// periods above kSmallDay, every such day is positive and within 32 bits.
inline constexpr std::int32_t kSmallDay = std::int32_t{1} << 30;
inline constexpr std::uint32_t kSmallLift = 898 * static_cast<std::uint32_t>(kCommonPeriod);
static_assert(kSmallLift >= static_cast<std::uint32_t>(kSmallDay) &&
              std::uint64_t{kSmallLift} + static_cast<std::uint32_t>(kSmallDay) <= UINT32_MAX);

// Preconditions: -kSmallDay < d < kSmallDay.
[[nodiscard, gnu::always_inline]] constexpr std::uint32_t
commonPlaceOfSmall(std::int32_t d) noexcept {
  return (static_cast<std::uint32_t>(d) + kSmallLift) % static_cast<std::uint32_t>(kCommonPeriod);
}
static_assert(commonPlaceOfSmall(-1) == commonPlace(-1) &&
              commonPlaceOfSmall(-kSmallDay + 1) == commonPlace(-kSmallDay + 1));

// The four lower places of a Long Count, from the day within its baktun.
struct LowerPlaces {
  int katun = 0, tun = 0, uinal = 0, kin = 0;
};

// Preconditions: dayInBaktun < kBaktun.
[[nodiscard, gnu::always_inline]] constexpr LowerPlaces
lowerPlacesOf(std::uint32_t dayInBaktun) noexcept {
  constexpr auto katunDays = static_cast<std::uint32_t>(kKatun);
  constexpr auto tunDays = static_cast<std::uint32_t>(kTun);
  constexpr auto uinalDays = static_cast<std::uint32_t>(kUinal);
  const std::uint32_t katun = dayInBaktun / katunDays;
  const std::uint32_t inKatun = dayInBaktun - katun * katunDays;
  const std::uint32_t tun = inKatun / tunDays;
  const std::uint32_t inTun = inKatun - tun * tunDays;
  const std::uint32_t uinal = inTun / uinalDays;
  return {static_cast<int>(katun), static_cast<int>(tun), static_cast<int>(uinal),
          static_cast<int>(inTun - uinal * uinalDays)};
}

// The cycles of the days at place p (in [0, kCommonPeriod)) of the period.
[[nodiscard, gnu::always_inline]] constexpr Tzolkin tzolkinOfPlace(std::uint32_t p) noexcept {
  return {static_cast<int>((p + kEpochTzolkinOffset) % kTrecena) + 1,
          static_cast<int>(p % kVeintena)};
}

[[nodiscard, gnu::always_inline]] constexpr int haabPositionOfPlace(std::uint32_t p) noexcept {
  return static_cast<int>((p + kEpochHaabPosition) % kHaabYear);
}

[[nodiscard, gnu::always_inline]] constexpr int lordOfPlace(std::uint32_t p) noexcept {
  return static_cast<int>((p + kLordsOfTheNight - 1) % kLordsOfTheNight) + 1;
}

// The Tzolkin of the latest 0 Pop, `position` days back: within the period,
// or in the one before it, which has the same cycles.
[[nodiscard, gnu::always_inline]] constexpr Tzolkin bearerOfPlace(std::uint32_t p) noexcept {
  const auto position = static_cast<std::uint32_t>(haabPositionOfPlace(p));
  return tzolkinOfPlace(p >= position ? p - position
                                      : p + static_cast<std::uint32_t>(kCommonPeriod) - position);
}

// The station of the 819-day count: since, quarter and number as station819Of.
struct StationPlace {
  int since = 0;
  Quarter quarter = Quarter::East;
  int number = 1;
};

[[nodiscard, gnu::always_inline]] constexpr StationPlace
station819OfPlace(std::uint32_t p) noexcept {
  // The stations count from three days before 0.0.0.0.0.
  const std::uint32_t fromBase = p + kStationBaseOffset;
  const std::uint32_t station = fromBase / kStationDays;
  return {static_cast<int>(fromBase - station * kStationDays),
          static_cast<Quarter>(station % kQuarters),
          static_cast<int>(station % kStationsInLongCycle) + 1};
}

struct DayCycles {
  // The five places of |d|, as splitLongCount(d, 5) gives them.
  bool negative = false;
  std::int64_t baktun = 0; // any size
  LowerPlaces lower;
  Tzolkin tzolkin;      // tzolkinOf(d)
  int haabPosition = 0; // haabPositionOf(d)
  int lord = 1;         // lordOfTheNight(d)
  Tzolkin bearer;       // yearBearerOf(d)
  StationPlace station; // station819Of(d)
};

// Preconditions: d > INT64_MIN.
[[nodiscard]] constexpr DayCycles dayCyclesOf(std::int64_t d) noexcept {
  DayCycles c;
  c.negative = d < 0;
  const auto magnitude = static_cast<std::uint64_t>(d < 0 ? -d : d);
  const std::uint64_t baktun = magnitude / kBaktun;
  c.baktun = static_cast<std::int64_t>(baktun);
  c.lower = lowerPlacesOf(static_cast<std::uint32_t>(magnitude - baktun * kBaktun));
  const std::uint32_t p = commonPlace(d);
  c.tzolkin = tzolkinOfPlace(p);
  c.haabPosition = haabPositionOfPlace(p);
  c.lord = lordOfPlace(p);
  c.bearer = bearerOfPlace(p);
  c.station = station819OfPlace(p);
  return c;
}

static_assert(dayCyclesOf(1'386'478).station.since == 733 &&
              dayCyclesOf(-2440).station.since == 20 &&
              dayCyclesOf(-2440).station.quarter == Quarter::South);
static_assert(dayCyclesOf(-1).bearer == yearBearerOf(-1) && dayCyclesOf(-1).lord == 8);
static_assert(dayCyclesOf(-25).lower.uinal == 1 && dayCyclesOf(-25).lower.kin == 5 &&
              dayCyclesOf(-25).negative);

} // namespace glyphbox::maya
