#include <glyphbox/testing/stepping.h>

#include <glyphbox/engine/day_count.h>
#include <glyphbox/runtime/conversions.h>

#include <cmath>

namespace glyphbox::testing::stepping {

using engine::kExactDayLimit;
using engine::kHaabMonthNames;
using engine::kTzolkinNames;
namespace {

void checkSteps(double dayCount) {
  if (std::isnan(dayCount)) {
    runtime::raiseFloatingPoint();
  }
  if (dayCount >= kExactDayLimit) {
    runtime::raiseInvalidArgument("too many days to step one at a time");
  }
}

} // namespace

TzolkinDate steppedTzolkin(double dayCount, double kin) {
  checkSteps(dayCount);
  TzolkinStepper stepper;
  for (double steps = dayCount; steps > 0; steps -= 1) {
    stepper.step();
  }
  TzolkinDate date{stepper.number, {}};
  for (std::size_t i = 0; i < kTzolkinNames.size(); ++i) {
    if (kin == static_cast<double>(i)) {
      date.name = kTzolkinNames[i];
    }
  }
  return date;
}

HaabDate steppedHaab(double dayCount) {
  checkSteps(dayCount);
  HaabStepper stepper;
  for (double steps = dayCount; steps > 0; steps -= 1) {
    stepper.step();
  }
  return HaabDate{stepper.day, stepper.month,
                  kHaabMonthNames[static_cast<std::size_t>(stepper.month.value() - 1)]};
}

} // namespace glyphbox::testing::stepping
