#include <glyphbox/engine/day_count.h>

#include <glyphbox/runtime/conversions.h>

#include <cmath>

namespace glyphbox::engine {

using runtime::checkFloat;

DayCounts computeDayCounts(double yearValue, Era era, Int16 monthNum, Int16 dayNum) {
  Int16 workMonth = monthNum;
  double year = checkFloat(era == Era::CE ? yearValue - 1 : yearValue * -1);

  // March-based year: January and February belong to the year before.
  if (workMonth < Int16(3)) {
    year = checkFloat(year - 1);
    workMonth += Int16(12);
  }

  // Days from 1 March to the first of the month, in 16-bit arithmetic; for
  // months 3..14 the quotient runs 0, 31, 61, ..., 337.
  const Int16 dayOfYear = (Int16(153) * workMonth - Int16(457)) / Int16(5) + dayNum;

  // Left to right with floating-point divisions; nothing is rounded until the floor.
  const double dayNumber =
      checkFloat(year * 365 + dayOfYear.value() + year / 4 - year / 100 + year / 400);
  const double wholeDayNumber = checkFloat(runtime::floorOf(dayNumber + kDayNumberOffset));

  DayCounts counts;
  counts.dayCount = checkFloat(wholeDayNumber - kEpochDayNumber);
  if (std::fabs(counts.dayCount) >= kExactDayLimit) {
    runtime::raiseOverflow("the date lies too far from the epoch to count its days exactly");
  }
  counts.cycleDayCount = checkFloat(foldIntoCycle(counts.dayCount));
  return counts;
}

double foldIntoCycle(double dayCount) {
  checkFloat(dayCount);
  if (std::fabs(dayCount) >= kExactDayLimit) {
    runtime::raiseOverflow("the day count is too large to fold exactly");
  }
  if (dayCount > kGreatCycle) {
    return dayCount - kGreatCycle;
  }
  if (dayCount < 0) {
    // The least number of whole cycles that makes the count non-negative, the
    // same result as adding one cycle at a time; in integers, because a
    // quotient of doubles can round to the wrong side of a whole number.
    const double whole = std::floor(dayCount);
    const auto cycle = static_cast<long long>(kGreatCycle);
    long long rest = static_cast<long long>(whole) % cycle;
    if (rest < 0) {
      rest += cycle;
    }
    return static_cast<double>(rest) + (dayCount - whole);
  }
  return dayCount;
}

} // namespace glyphbox::engine
