#include <glyphbox/engine/maya_date.h>

namespace glyphbox::engine {

MayaDate calculateMayaDate(double yearValue, Era era, Int16 monthNum, Int16 dayNum) {
  MayaDate date;
  date.counts = computeDayCounts(yearValue, era, monthNum, dayNum);
  date.longCount = computeLongCount(date.counts.cycleDayCount);
  date.tzolkin = computeTzolkin(date.counts.dayCount, date.longCount.kin);
  date.haab = computeHaab(date.counts.dayCount);
  return date;
}

} // namespace glyphbox::engine
