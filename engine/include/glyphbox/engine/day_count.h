#pragma once

#include <glyphbox/engine/long_count.h>
#include <glyphbox/runtime/int16.h>

namespace glyphbox::engine {

using runtime::Int16;

enum class Era { CE, BCE };

// Offsets of Glyphbox's own correlation: the continuous day number of the
// shifted March-based year (first day of year 0 is 1721118.5 in it), and the
// day number of the Maya epoch, 13 August 3114 BCE, in the same count.
inline constexpr double kDayNumberOffset = 1721118.5;
inline constexpr double kEpochDayNumber = 583919.0;

struct DayCounts {
  double dayCount = 0;      // whole days since the Maya epoch; may be negative or past one cycle
  double cycleDayCount = 0; // dayCount brought into one great cycle (see foldIntoCycle)
};

// Whole numbers of days are exact in a double below 2^53; a day count that
// would leave that range cannot be counted exactly and is refused.
inline constexpr double kExactDayLimit = 9007199254740992.0;

// The system's correlation. yearValue is the number the year text begins with
// (any double), monthNum 1..12 and dayNum 1..31 as the date entry gives them
// (other values go through the same 16-bit formula and give its result or its
// overflow error).
// Year Y CE counts as Y - 1 and year Y BCE as -Y (astronomical year minus one);
// January and February count as months 13 and 14 of the year before. The
// formula is evaluated step by step in double precision with floating-point
// divisions, so the count can repeat or skip a day where February meets March;
// that is the correlation's known property and is kept.
// Raises the overflow error when a 16-bit step leaves its range or the day
// count reaches kExactDayLimit (years of some 24 trillion), and the
// floating-point error when a step leaves the doubles.
[[nodiscard]] DayCounts computeDayCounts(double yearValue, Era era, Int16 monthNum, Int16 dayNum);

// Counts above one great cycle are folded back once (1872001 -> 1; a count
// above 3744000 stays above one cycle and shows a baktun above 13). Negative
// counts get whole cycles added until they are not negative, so the Long Count
// of any date before the epoch is well formed. 0 and 1872000 are not folded.
// The fold is exact for every whole count below kExactDayLimit in size; a
// count that is not finite raises the floating-point error, a larger one the
// overflow error, and a fraction of a day stays with the count.
[[nodiscard]] double foldIntoCycle(double dayCount);

} // namespace glyphbox::engine
