#pragma once

#include <glyphbox/engine/day_count.h>
#include <glyphbox/engine/long_count.h>
#include <glyphbox/engine/month_table.h>
#include <glyphbox/engine/tzolkin_haab.h>

namespace glyphbox::engine {

// Everything Glyphbox shows for one Gregorian date.
struct MayaDate {
  DayCounts counts;
  LongCount longCount; // of counts.cycleDayCount
  TzolkinDate tzolkin; // number of counts.dayCount, name of longCount.kin
  HaabDate haab;       // of counts.dayCount
};

// The full calculation. yearValue is the number the year text begins with,
// monthNum 1..12, dayNum as the day list gives it. All or nothing: raises a
// RuntimeError (overflow or floating-point) and returns no partial result.
[[nodiscard]] MayaDate calculateMayaDate(double yearValue, Era era, Int16 monthNum, Int16 dayNum);

} // namespace glyphbox::engine
