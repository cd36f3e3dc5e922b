#include <glyphbox/engine/tzolkin_haab.h>

#include <glyphbox/runtime/conversions.h>

#include <cmath>

namespace glyphbox::engine {
namespace {

// Whole doubles below 2^53 convert to 64-bit integers exactly.
constexpr double kExactIntegerLimit = 9007199254740992.0;

// x mod m with the result in [0, m), so the cycles also run backwards from
// the epoch. Integer remainder where it is exact (and fast), fmod otherwise.
// Cycle positions are defined for whole numbers of days.
void checkWholeDays(double dayCount) {
  runtime::checkFloat(dayCount);
  if (dayCount != std::floor(dayCount)) {
    runtime::raiseInvalidArgument("a day count is a whole number of days");
  }
}

int floorMod(double x, int m) noexcept {
  long long r = 0;
  if (std::fabs(x) < kExactIntegerLimit) {
    r = static_cast<long long>(x) % m;
  } else {
    r = static_cast<long long>(std::fmod(x, m));
  }
  return static_cast<int>(r < 0 ? r + m : r);
}

} // namespace

TzolkinDate computeTzolkin(double dayCount, double kin) {
  checkWholeDays(dayCount);
  TzolkinDate date;
  date.number =
      static_cast<std::int16_t>(floorMod(dayCount + (kEpochTzolkinNumber - 1), kTrecena) + 1);
  if (kin >= 0 && kin < static_cast<double>(kTzolkinNames.size()) && kin == std::floor(kin)) {
    date.name = kTzolkinNames[static_cast<std::size_t>(kin)];
  }
  return date;
}

HaabDate computeHaab(double dayCount) {
  checkWholeDays(dayCount);
  // Positions 360..364 fall into month 19, Uayeb, by the same division.
  const int position = floorMod(dayCount + kHaabEpochPosition, kHaabYear);
  const int month = position / kHaabMonthDays + 1;
  const int day = position - (month - 1) * kHaabMonthDays + 1;
  return HaabDate{static_cast<std::int16_t>(day), static_cast<std::int16_t>(month),
                  kHaabMonthNames[static_cast<std::size_t>(month - 1)]};
}

} // namespace glyphbox::engine
